#include "app/frmView.h"

#include <QEvent>
#include <QScreen>

#include "app/fit_picture_views.h"
#include "app/frmOld.h"
#include "platform/picture_box.h"

namespace vellumine {
namespace {

constexpr int kMinWidth = 130;
constexpr int kMinHeight = 32;
// The frame around the picture area; together they make the +10 by +30 of the window's size.
constexpr int kSideMargin = TViewForm::kExtraWidth / 2;
constexpr int kTopBottomMargin = TViewForm::kExtraHeight / 2;

}  // namespace

TViewForm::TViewForm(TOldForm& owner, const Raster24& picture)
    : QDialog(&owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      owner_(owner),
      suiThemeManager1(this, UiStyle::DeepBlue) {
  setObjectName(QStringLiteral("ViewForm"));
  setWindowTitle(QString::fromLatin1(kCaption));
  setModal(true);
  setMinimumSize(kMinWidth, kMinHeight);
  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setProperty("pictureArea", true);
  Panel1->setAttribute(Qt::WA_StyledBackground);
  Image1 = new PictureBox(Panel1);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->SetPicture(picture);
}

TViewForm::~TViewForm() {
  // FormDestroy.
  owner_.PenDown = false;
}

void TViewForm::FormShow() {
  suiThemeManager1.SetStyle(owner_.CurrentStyle());
}

void TViewForm::FormActivate() {
  const Raster24& picture = Image1->Picture();
  resize(picture.Width() + kExtraWidth, picture.Height() + kExtraHeight);
  const QScreen* screen = this->screen();
  move(screen != nullptr ? screen->geometry().topLeft() : QPoint(0, 0));
}

void TViewForm::FormResize() {
  Panel1->setGeometry(
      rect().adjusted(kSideMargin, kTopBottomMargin, -kSideMargin, -kTopBottomMargin));
  const Raster24& picture = Image1->Picture();
  if (const std::optional<ViewBox> box =
          FitPictureBox(picture.Width(), picture.Height(), Panel1->width(), Panel1->height()))
    Image1->setGeometry(box->left, box->top, box->width, box->height);
}

void TViewForm::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TViewForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

bool TViewForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QDialog::event(event);
}

}  // namespace vellumine
