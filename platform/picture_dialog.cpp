#include "platform/picture_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace vellumine {

PictureDialog::PictureDialog(Kind kind, QString filter, int startFilterIndex,
                             PictureDialogRunner& runner)
    : kind_(kind), filter_(std::move(filter)), filterIndex_(startFilterIndex), runner_(runner) {}

bool PictureDialog::Execute(QWidget* parent) {
  const std::optional<PictureDialogAnswer> answer = runner_.Run(parent, *this);
  if (!answer) return false;
  fileName_ = answer->fileName;
  filterIndex_ = answer->filterIndex;
  return true;
}

QStringList QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    // The description's own "(*.a;*.b)" is replaced by the patterns Qt reads.
    if (description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('(')))
      description = description.left(description.lastIndexOf(QLatin1Char('('))).trimmed();
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
      patterns << pattern.trimmed();
    filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
  }
  return filters;
}

std::optional<PictureDialogAnswer> FileDialogRunner::Run(QWidget* parent,
                                                         const PictureDialog& dialog) {
  const bool save = dialog.GetKind() == PictureDialog::Kind::Save;
  QFileDialog fileDialog(parent);
  fileDialog.setOption(QFileDialog::DontUseNativeDialog);
  fileDialog.setOption(QFileDialog::ReadOnly, false);
  fileDialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  fileDialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  fileDialog.setOption(QFileDialog::DontConfirmOverwrite, !dialog.PromptsOverwrite());
  fileDialog.setSizeGripEnabled(true);
  const QStringList filters = QtNameFilters(dialog.Filter());
  fileDialog.setNameFilters(filters);
  const int index = dialog.FilterIndex();
  if (index >= 1 && index <= filters.size()) fileDialog.selectNameFilter(filters[index - 1]);
  if (!dialog.FileName().isEmpty()) {
    const QFileInfo info(dialog.FileName());
    if (info.isAbsolute()) fileDialog.setDirectory(info.absolutePath());
    fileDialog.selectFile(info.fileName());
  }
  if (fileDialog.exec() != QDialog::Accepted || fileDialog.selectedFiles().isEmpty())
    return std::nullopt;
  return PictureDialogAnswer{fileDialog.selectedFiles().front(),
                             int(filters.indexOf(fileDialog.selectedNameFilter())) + 1};
}

}  // namespace vellumine
