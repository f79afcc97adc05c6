#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "engine/raster24.h"
#include "engine/sketch_settings.h"
#include "engine/texture_overlay.h"
#include "formats/picture_files.h"
#include "platform/picture_dialog.h"
#include "platform/theme_manager.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QStatusBar;
class QTabWidget;

namespace vellumine {

class PictureBox;

// Where the main window finds its files and how it asks the user for them.
struct MainWindowSetup {
  std::string programFolder;  // with a trailing "/": the sample picture "4.jpg" lies here
  std::string settingsPath;   // the settings file ("Form", "UIStyle")
  PictureDialogRunner* dialogRunner = nullptr;  // not owned; nullptr: the file dialogs
  std::string startPicture;  // opened at the first show in place of the sample when not empty
};

// The main window: the photograph and its sketch side by side above the bottom panel with the
// commands, the conversion controls and the style chooser. It owns the picture document: the
// source picture (what Image1 shows), the sketch (what Image2 shows), the engine's rasters and
// the remembered file name (the save dialog's file name).
class TOldForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kCaption =
      "Vellumine Pro 4.0 --To figure a sketch for your friend or sweetheart!!";
  static constexpr int kStartWidth = 664;
  static constexpr int kStartHeight = 461;
  static constexpr int kBottomPanelHeight = 180;

  explicit TOldForm(const MainWindowSetup& setup, QWidget* parent = nullptr);
  ~TOldForm() override;

  // Empties the sketch view, reads the photograph when the path passes the JPEG or bitmap test
  // (else keeps the source picture) and fits both views. Read errors (PictureFileError) reach
  // the caller, after the sketch view has been emptied.
  void OpenPicture(const std::string& path);
  // Writes the sketch as `type` (the extension appended when missing) and remembers the path
  // written. An empty sketch writes nothing and says so in a message box. Write errors reach
  // the caller with the remembered name unchanged.
  void SavePicture(const std::string& path, PictureFileType type);

  const Raster24& SourcePicture() const;
  const Raster24& SketchPicture() const;
  // The file name the save dialog proposes and "&Edit&&Print" opens.
  QString RememberedFileName() const { return SavePictureDialog1.FileName(); }
  // The style of the main window's theme manager.
  UiStyle CurrentStyle() const { return suiThemeManager1.Style(); }
  QString StatusText() const;

  // Commands and handlers, by the names of the window's form.
  void BitBtn4Click();  // "&Edit&&Print"
  void BitBtn5Click();  // "&Open"
  void BitBtn6Click();  // " &Convert"
  void BitBtn7Click();  // "&Save"
  void BitBtn9Click();  // "&Clear"
  void FormShow();
  void FormResize();
  void FormClose();
  void suiComboBox1Change();
  void suiComboBox2Change();
  void suiRadioButton1Click();
  void suitempTrackBar1Change();
  void suitempTrackBar2Change();
  void suitempTrackBar3Change();
  void suitempPageControl1Change();
  void Image1DblClick();
  void Image2DblClick();

  // Shows `picture` in a real-scale viewer, modally; nothing for an empty picture.
  void ShowRealScale(const Raster24& picture);
  // Fits both views to the source picture and the picture area (FitPictureViews).
  void FitPictureViews();

  // The engine's rasters: the copy of the photograph a Convert reads, and the sketch it draws.
  Raster24 workRaster;
  Raster24 sketchRaster;
  // Freehand state: the brush radius and whether a stroke is in progress.
  int BrushSize = 0;
  bool PenDown = false;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateControls();
  void ConnectHandlers();
  DrawingTool ChosenTool() const;
  TextureLayout ChosenLayout() const;
  std::string TextureFolder() const;
  void DrawTexture();
  void SetStatusText(const QString& text);

  MainWindowSetup setup_;
  std::unique_ptr<PictureDialogRunner> ownDialogRunner_;
  bool shown_ = false;

  // Picture area.
  QWidget* Panel1 = nullptr;
  PictureBox* Image1 = nullptr;
  PictureBox* Image2 = nullptr;
  PictureBox* Image3 = nullptr;
  // Left column.
  QLabel* Label7 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QPushButton* Button2 = nullptr;
  QLabel* Label8 = nullptr;
  QComboBox* suiComboBox2 = nullptr;
  // Mode page control.
  QTabWidget* PageControl1 = nullptr;
  QPushButton* Button3 = nullptr;
  QLabel* Label6 = nullptr;
  QSlider* TrackBar2 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QCheckBox* suiCheckBox1 = nullptr;
  // "&Sketch" and "&Texture" tabs.
  QTabWidget* suiPageControl1 = nullptr;
  QSlider* TrackBar1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QSlider* TrackBar3 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QRadioButton* RadioButton1 = nullptr;  // "Pen"
  QRadioButton* RadioButton4 = nullptr;  // "Pencil"
  QRadioButton* RadioButton5 = nullptr;  // "Pastel"
  QRadioButton* RadioButton3 = nullptr;  // "Brush"
  QRadioButton* RadioButton2 = nullptr;  // "Eraser"
  QComboBox* suiComboBox1 = nullptr;
  PictureBox* Image4 = nullptr;
  QRadioButton* suiRadioButton1 = nullptr;  // "Tile"
  QRadioButton* suiRadioButton2 = nullptr;  // "Stretch"
  // Button column.
  QPushButton* Button4 = nullptr;
  QPushButton* Button5 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QPushButton* Button6 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* statusLabel_ = nullptr;

  PictureDialog OpenPictureDialog1;
  PictureDialog SavePictureDialog1;
  ThemeManager suiThemeManager1;
};

}  // namespace vellumine
