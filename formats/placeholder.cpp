namespace vellumine {}
