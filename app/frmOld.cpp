#include "app/frmOld.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <stdexcept>

#include "app/file_locations.h"
#include "app/fit_picture_views.h"
#include "app/frmView.h"
#include "app/texture_folder.h"
#include "engine/convert.h"
#include "engine/texture_overlay.h"
#include "formats/bmp.h"
#include "platform/application.h"
#include "platform/message_box.h"
#include "platform/paint_program.h"
#include "platform/picture_box.h"
#include "platform/profile_file.h"
#include "platform/raster_image.h"

namespace vellumine {
namespace {

constexpr char kOpenFilter[] =
    "All (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG Image File (*.jpg)|*.jpg|"
    "JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp";
constexpr char kSaveFilter[] =
    "JPEG Image File (*.jpg)|*.jpg|Bitmaps (*.bmp)|*.bmp|Metafiles (*.wmf)|*.wmf";
constexpr int kSaveStartFilter = 2;  // "Bitmaps (*.bmp)"

constexpr char kSettingsSection[] = "Form";
constexpr char kSettingsKey[] = "UIStyle";
constexpr char kSamplePicture[] = "4.jpg";
constexpr char kTextureFolder[] = "texture/";
constexpr int kNoTexture = 0;      // "NULL"
constexpr int kCustomTexture = 1;  // "Custom"
constexpr char kViewHint[] = "Double-clicks to zoom";
constexpr int kFreehandTab = 1;

constexpr int kLeftColumnWidth = 88;
constexpr int kRightPartWidth = 375;
constexpr int kMinWidth = 130;
constexpr int kMinHeight = 23;
constexpr int kMinBrush = 1;
constexpr int kMaxBrush = 62;
constexpr int kDefaultBrush = 32;
constexpr int kBrushTickInterval = 5;

template <typename T>
T* Named(T* control, const char* name) {
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

QSlider* NewTrackBar(QWidget* parent, const char* name, int minimum, int maximum, int position) {
  auto* slider = Named(new QSlider(Qt::Horizontal, parent), name);
  slider->setRange(minimum, maximum);
  slider->setValue(position);
  return slider;
}

QLineEdit* NewReadOut(QWidget* parent, const char* name, const QString& text, bool readOnly) {
  auto* edit = Named(new QLineEdit(text, parent), name);
  edit->setReadOnly(readOnly);
  edit->setFixedWidth(38);
  edit->setAlignment(Qt::AlignCenter);
  return edit;
}

// The brush outline: a white square with a black ring touching its sides.
Raster24 BrushOutline(int brushSize) {
  Raster24 outline(2 * brushSize, 2 * brushSize);
  QImage image(outline.Data(), outline.Width(), outline.Height(), qsizetype(outline.Stride()),
               QImage::Format_BGR888);
  QPainter painter(&image);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawEllipse(QRect(0, 0, outline.Width() - 1, outline.Height() - 1));
  return outline;
}

}  // namespace

TOldForm::TOldForm(const MainWindowSetup& setup, QWidget* parent)
    : QWidget(parent),
      setup_(setup),
      ownDialogRunner_(setup.dialogRunner != nullptr ? nullptr
                                                     : std::make_unique<FileDialogRunner>()),
      OpenPictureDialog1(PictureDialog::Kind::Open, QString::fromLatin1(kOpenFilter), 1,
                         setup.dialogRunner != nullptr ? *setup.dialogRunner : *ownDialogRunner_),
      SavePictureDialog1(PictureDialog::Kind::Save, QString::fromLatin1(kSaveFilter),
                         kSaveStartFilter,
                         setup.dialogRunner != nullptr ? *setup.dialogRunner : *ownDialogRunner_),
      suiThemeManager1(this, UiStyle::MacOS) {
  setObjectName(QStringLiteral("OldForm"));
  setAcceptDrops(true);
  CreateControls();
  ConnectHandlers();

  // FormCreate.
  BrushSize = TrackBar2->value();
  suitempTrackBar2Change();
  suitempPageControl1Change();
  setWindowTitle(QString::fromLatin1(kCaption));

  resize(kStartWidth, kStartHeight);
  setMinimumSize(kMinWidth, kMinHeight);
  if (const QScreen* screen = this->screen()) {
    const QRect desktop = screen->availableGeometry();
    move(desktop.left() + (desktop.width() - kStartWidth) / 2,
         desktop.top() + (desktop.height() - kStartHeight) / 2);
  }
}

TOldForm::~TOldForm() = default;

void TOldForm::CreateControls() {
  auto* mainLayout = new QVBoxLayout(this);
  mainLayout->setContentsMargins(0, 0, 0, 0);
  mainLayout->setSpacing(0);

  // The picture area: the views are placed freely in it by FitPictureViews.
  Panel1 = Named(new QWidget(this), "Panel1");
  Panel1->setProperty("pictureArea", true);
  Panel1->setAttribute(Qt::WA_StyledBackground);
  Panel1->installEventFilter(this);
  Image1 = Named(new PictureBox(Panel1), "Image1");
  Image1->setToolTip(QString::fromLatin1(kViewHint));
  Image2 = Named(new PictureBox(Panel1), "Image2");
  Image2->setToolTip(QString::fromLatin1(kViewHint));
  Image2->setCursor(Qt::CrossCursor);
  Image3 = Named(new PictureBox(Panel1), "Image3");
  Image3->SetTransparentColor(PictureBox::Bgr{255, 255, 255});
  Image3->setEnabled(false);
  Image3->setAttribute(Qt::WA_TransparentForMouseEvents);
  Image3->hide();
  for (PictureBox* view : {Image1, Image2}) view->setGeometry(0, 0, 0, 0);
  mainLayout->addWidget(Panel1, 1);

  auto* Panel2 = Named(new QWidget(this), "Panel2");
  Panel2->setFixedHeight(kBottomPanelHeight);
  auto* bottomLayout = new QVBoxLayout(Panel2);
  bottomLayout->setContentsMargins(0, 0, 0, 0);
  bottomLayout->setSpacing(0);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  bottomLayout->addLayout(row, 1);
  mainLayout->addWidget(Panel2);

  // Left column.
  auto* Panel4 = Named(new QWidget(Panel2), "Panel4");
  Panel4->setFixedWidth(kLeftColumnWidth);
  auto* left = new QVBoxLayout(Panel4);
  left->setContentsMargins(3, 5, 2, 5);
  left->setSpacing(3);
  Label7 = Named(new QLabel(QStringLiteral("Batch Convert Bar :"), Panel4), "Label7");
  Label7->setWordWrap(true);
  QFont small = Label7->font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  Label7->setFont(small);
  CheckBox1 = Named(new QCheckBox(QStringLiteral("Show "), Panel4), "CheckBox1");
  Button2 = Named(new QPushButton(QStringLiteral("&Open"), Panel4), "Button2");
  Label8 = Named(new QLabel(QStringLiteral("UI Style :"), Panel4), "Label8");
  suiComboBox2 = Named(new QComboBox(Panel4), "suiComboBox2");
  for (const char* name : kUiStyleNames) suiComboBox2->addItem(QString::fromLatin1(name));
  QFont chooserFont = suiComboBox2->font();
  chooserFont.setPointSizeF(chooserFont.pointSizeF() * 0.85);
  suiComboBox2->setFont(chooserFont);
  left->addWidget(Label7);
  left->addWidget(CheckBox1);
  left->addSpacing(2);
  left->addWidget(Button2);
  left->addStretch(1);
  left->addWidget(Label8);
  left->addWidget(suiComboBox2);
  row->addWidget(Panel4);

  // Mode page control.
  PageControl1 = Named(new QTabWidget(Panel2), "PageControl1");
  auto* TabSheet1 = Named(new QWidget, "TabSheet1");
  auto* automatic = new QVBoxLayout(TabSheet1);
  automatic->setContentsMargins(10, 10, 10, 10);
  Button3 = Named(new QPushButton(QStringLiteral(" &Convert"), TabSheet1), "Button3");
  Button3->setMinimumHeight(40);
  automatic->addStretch(1);
  automatic->addWidget(Button3);
  automatic->addStretch(1);
  PageControl1->addTab(TabSheet1, QStringLiteral("Automatic "));

  auto* TabSheet2 = Named(new QWidget, "TabSheet2");
  auto* freehand = new QGridLayout(TabSheet2);
  freehand->setContentsMargins(8, 8, 8, 6);
  freehand->setVerticalSpacing(6);
  Label6 = Named(new QLabel(QStringLiteral("Brush:"), TabSheet2), "Label6");
  TrackBar2 = NewTrackBar(TabSheet2, "TrackBar2", kMinBrush, kMaxBrush, kDefaultBrush);
  TrackBar2->setTickInterval(kBrushTickInterval);
  TrackBar2->setTickPosition(QSlider::TicksBelow);
  Edit3 = NewReadOut(TabSheet2, "Edit3", QString::number(kDefaultBrush), false);
  suiCheckBox1 = Named(new QCheckBox(QStringLiteral("Record  Animate"), TabSheet2), "suiCheckBox1");
  freehand->addWidget(Label6, 0, 0, 1, 2);
  freehand->addWidget(TrackBar2, 1, 0);
  freehand->addWidget(Edit3, 1, 1);
  freehand->addWidget(suiCheckBox1, 2, 0, 1, 2);
  freehand->setRowStretch(3, 1);
  PageControl1->addTab(TabSheet2, QStringLiteral("Freehand"));
  row->addWidget(PageControl1, 1);

  // Right part: the "&Sketch" and "&Texture" tabs and the button column.
  auto* Panel5 = Named(new QWidget(Panel2), "Panel5");
  Panel5->setFixedWidth(kRightPartWidth);
  auto* right = new QHBoxLayout(Panel5);
  right->setContentsMargins(2, 0, 4, 0);
  right->setSpacing(4);
  suiPageControl1 = Named(new QTabWidget(Panel5), "suiPageControl1");

  auto* suiTabSheet1 = Named(new QWidget, "suiTabSheet1");
  auto* sketch = new QGridLayout(suiTabSheet1);
  sketch->setContentsMargins(8, 8, 8, 6);
  sketch->setHorizontalSpacing(6);
  auto* Label1 = Named(new QLabel(QStringLiteral("Precision:  "), suiTabSheet1), "Label1");
  TrackBar1 =
      NewTrackBar(suiTabSheet1, "TrackBar1", kMinPrecision, kMaxPrecision, kDefaultPrecision);
  Edit1 = NewReadOut(suiTabSheet1, "Edit1", QString::number(kDefaultPrecision), true);
  auto* Label2 = Named(new QLabel(QStringLiteral("Line:  "), suiTabSheet1), "Label2");
  TrackBar3 = NewTrackBar(suiTabSheet1, "TrackBar3", kMinLineStep, kMaxLineStep, kDefaultLineStep);
  Edit2 = NewReadOut(suiTabSheet1, "Edit2", QString::number(kDefaultLineStep), true);
  sketch->addWidget(Label1, 0, 0);
  sketch->addWidget(TrackBar1, 0, 1);
  sketch->addWidget(Edit1, 0, 2);
  sketch->addWidget(Label2, 1, 0);
  sketch->addWidget(TrackBar3, 1, 1);
  sketch->addWidget(Edit2, 1, 2);
  RadioButton1 = Named(new QRadioButton(QStringLiteral("Pen"), suiTabSheet1), "RadioButton1");
  RadioButton4 = Named(new QRadioButton(QStringLiteral("Pencil"), suiTabSheet1), "RadioButton4");
  RadioButton5 = Named(new QRadioButton(QStringLiteral("Pastel"), suiTabSheet1), "RadioButton5");
  RadioButton3 = Named(new QRadioButton(QStringLiteral("Brush"), suiTabSheet1), "RadioButton3");
  RadioButton2 = Named(new QRadioButton(QStringLiteral("Eraser"), suiTabSheet1), "RadioButton2");
  RadioButton4->setChecked(true);
  auto* tools = new QGridLayout;
  tools->setHorizontalSpacing(10);
  tools->setVerticalSpacing(6);
  tools->addWidget(RadioButton1, 0, 0);
  tools->addWidget(RadioButton4, 0, 1);
  tools->addWidget(RadioButton5, 0, 2);
  tools->addWidget(RadioButton3, 1, 0);
  tools->addWidget(RadioButton2, 1, 1);
  sketch->addLayout(tools, 2, 0, 1, 3);
  sketch->setRowStretch(3, 1);
  suiPageControl1->addTab(suiTabSheet1, QStringLiteral("&Sketch"));

  auto* suiTabSheet2 = Named(new QWidget, "suiTabSheet2");
  auto* texture = new QGridLayout(suiTabSheet2);
  texture->setContentsMargins(8, 8, 8, 6);
  suiComboBox1 = Named(new QComboBox(suiTabSheet2), "suiComboBox1");
  suiComboBox1->addItems({QStringLiteral("NULL"), QStringLiteral("Custom")});
  Image4 = Named(new PictureBox(suiTabSheet2), "Image4");
  Image4->SetPlacement(PictureBox::Placement::Centre);
  Image4->setMinimumSize(110, 90);
  suiRadioButton1 =
      Named(new QRadioButton(QStringLiteral("Tile"), suiTabSheet2), "suiRadioButton1");
  suiRadioButton2 =
      Named(new QRadioButton(QStringLiteral("Stretch"), suiTabSheet2), "suiRadioButton2");
  suiRadioButton1->setChecked(true);
  texture->addWidget(suiComboBox1, 0, 0);
  texture->addWidget(suiRadioButton1, 1, 0);
  texture->addWidget(suiRadioButton2, 2, 0);
  texture->setRowStretch(3, 1);
  texture->addWidget(Image4, 0, 1, 4, 1);
  texture->setColumnStretch(1, 1);
  suiPageControl1->addTab(suiTabSheet2, QStringLiteral("&Texture"));
  right->addWidget(suiPageControl1, 1);

  auto* buttons = new QVBoxLayout;
  buttons->setContentsMargins(0, 6, 0, 4);
  buttons->setSpacing(5);
  Button4 = Named(new QPushButton(QStringLiteral("&Clear"), Panel5), "Button4");
  Button5 = Named(new QPushButton(QStringLiteral("&Save"), Panel5), "Button5");
  BitBtn2 = Named(new QPushButton(QStringLiteral("&Send to"), Panel5), "BitBtn2");
  BitBtn2->setToolTip(QStringLiteral("Send the sketch to a friend"));
  Button6 = Named(new QPushButton(QStringLiteral("&Edit&&Print"), Panel5), "Button6");
  Button6->setToolTip(QStringLiteral("Edit and print with PAINT"));
  for (QPushButton* button : {Button4, Button5, BitBtn2, Button6}) {
    button->setFixedWidth(86);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  right->addLayout(buttons);
  row->addWidget(Panel5);

  StatusBar1 = Named(new QStatusBar(Panel2), "StatusBar1");
  StatusBar1->setSizeGripEnabled(false);
  statusLabel_ = new QLabel(StatusBar1);
  StatusBar1->addWidget(statusLabel_, 1);
  bottomLayout->addWidget(StatusBar1);
}

void TOldForm::ConnectHandlers() {
  const auto on = [this](auto* sender, auto signal, void (TOldForm::*handler)()) {
    connect(sender, signal, this, Guarded([this, handler] { (this->*handler)(); }));
  };
  on(Button2, &QPushButton::clicked, &TOldForm::BitBtn5Click);
  on(Button3, &QPushButton::clicked, &TOldForm::BitBtn6Click);
  on(Button4, &QPushButton::clicked, &TOldForm::BitBtn9Click);
  on(Button5, &QPushButton::clicked, &TOldForm::BitBtn7Click);
  on(TrackBar1, &QSlider::valueChanged, &TOldForm::suitempTrackBar1Change);
  on(TrackBar2, &QSlider::valueChanged, &TOldForm::suitempTrackBar2Change);
  on(TrackBar3, &QSlider::valueChanged, &TOldForm::suitempTrackBar3Change);
  on(PageControl1, &QTabWidget::currentChanged, &TOldForm::suitempPageControl1Change);
  on(suiComboBox2, &QComboBox::currentIndexChanged, &TOldForm::suiComboBox2Change);
  // Every choice the user makes, the same entry again included (a second "Custom" opens the
  // dialog again); the program's own change back to "NULL" runs nothing.
  on(suiComboBox1, &QComboBox::activated, &TOldForm::suiComboBox1Change);
  on(suiRadioButton1, &QRadioButton::clicked, &TOldForm::suiRadioButton1Click);
  on(suiRadioButton2, &QRadioButton::clicked, &TOldForm::suiRadioButton1Click);
  on(Button6, &QPushButton::clicked, &TOldForm::BitBtn4Click);
  on(Image1, &PictureBox::doubleClicked, &TOldForm::Image1DblClick);
  on(Image2, &PictureBox::doubleClicked, &TOldForm::Image2DblClick);
}

const Raster24& TOldForm::SourcePicture() const {
  return Image1->Picture();
}

const Raster24& TOldForm::SketchPicture() const {
  return Image2->Picture();
}

QString TOldForm::StatusText() const {
  return statusLabel_->text();
}

void TOldForm::SetStatusText(const QString& text) {
  statusLabel_->setText(text);
}

void TOldForm::OpenPicture(const std::string& path) {
  Image2->ClearPicture();
  if (std::optional<Raster24> picture = ReadPicture(path)) Image1->SetPicture(std::move(*picture));
  FitPictureViews();
}

void TOldForm::SavePicture(const std::string& path, PictureFileType type) {
  const Raster24& sketch = Image2->Picture();
  if (sketch.Empty()) {
    // Nothing is written: an empty file would only look like a saved sketch.
    ShowMessage(this, QStringLiteral("There is no sketch to save."));
    return;
  }
  const Raster24& source = Image1->Picture();
  const std::string written = WritePicture(path, sketch, type, source.Width(), source.Height());
  SavePictureDialog1.SetFileName(QFile::decodeName(QByteArray::fromStdString(written)));
}

void TOldForm::BitBtn5Click() {
  if (OpenPictureDialog1.Execute(this))
    OpenPicture(QFile::encodeName(OpenPictureDialog1.FileName()).toStdString());
}

void TOldForm::BitBtn7Click() {
  const QString remembered = SavePictureDialog1.FileName();
  if (!SavePictureDialog1.Execute(this)) return;
  if (Image2->Picture().Empty()) {
    // Nothing is written, so nothing new is remembered either.
    SavePictureDialog1.SetFileName(remembered);
  }
  SavePicture(QFile::encodeName(SavePictureDialog1.FileName()).toStdString(),
              PictureFileTypeFromIndex(SavePictureDialog1.FilterIndex()));
}

void TOldForm::BitBtn9Click() {
  Image2->ClearPicture();
  if (suiComboBox1->currentIndex() != 0) DrawTexture();
  // Discarding the recorded frames comes with the frames window.
}

void TOldForm::DrawTexture() {
  const Raster24& texture = Image4->Picture();
  if (texture.Empty()) return;  // nothing to lay: tiling an empty texture has no meaning
  const Raster24& source = Image1->Picture();
  sketchRaster.Resize(source.Width() + 1, source.Height() + 1);
  LayTexture(texture, ChosenLayout(), sketchRaster);
  Image2->SetPicture(sketchRaster);
}

TextureLayout TOldForm::ChosenLayout() const {
  return suiRadioButton2->isChecked() ? TextureLayout::Stretch : TextureLayout::Tile;
}

std::string TOldForm::TextureFolder() const {
  return setup_.programFolder + kTextureFolder;
}

void TOldForm::suiComboBox1Change() {
  const int entry = suiComboBox1->currentIndex();
  if (entry == kCustomTexture) {
    if (!OpenPictureDialog1.Execute(this)) {
      // Back to "NULL" without running this handler again: the preview keeps its picture.
      const QSignalBlocker quiet(suiComboBox1);
      suiComboBox1->setCurrentIndex(kNoTexture);
      return;
    }
    const std::string path = QFile::encodeName(OpenPictureDialog1.FileName()).toStdString();
    Image4->SetPicture(ReadPictureByName(path));
  } else if (entry == kNoTexture || entry < 0) {
    Image4->ClearPicture();
  } else {
    const QString folder = QFile::decodeName(QByteArray::fromStdString(TextureFolder()));
    const QString entryName = suiComboBox1->currentText();
    QString file = TextureFileFor(folder, entryName);
    // No such bitmap: reading the name the entry stands for gives the error the user sees.
    if (file.isEmpty()) file = folder + entryName + QStringLiteral(".bmp");
    Image4->SetPicture(ReadBmp(QFile::encodeName(file).toStdString()));
  }
  suiRadioButton1Click();
}

void TOldForm::suiRadioButton1Click() {
  Image4->SetPlacement(suiRadioButton2->isChecked() ? PictureBox::Placement::Stretch
                                                    : PictureBox::Placement::Centre);
}

void TOldForm::BitBtn4Click() {
  if (RememberedFileName().isEmpty()) {
    ShowMessage(this, QStringLiteral("Please save the sketch ,Then edit it."));
    BitBtn7Click();
  }
  if (RememberedFileName().isEmpty()) return;
  if (!StartPaintProgram(RememberedFileName())) ShowMessage(this, QStringLiteral("ErrorCode"));
}

DrawingTool TOldForm::ChosenTool() const {
  if (RadioButton1->isChecked()) return DrawingTool::Pen;
  if (RadioButton5->isChecked()) return DrawingTool::Pastel;
  if (RadioButton3->isChecked()) return DrawingTool::Brush;
  if (RadioButton2->isChecked()) return DrawingTool::Eraser;
  return DrawingTool::Pencil;
}

void TOldForm::BitBtn6Click() {
  SavePictureDialog1.SetFileName(QString());
  const SketchSettings settings = SettingsFromControls(
      Edit1->text().toInt(), TrackBar3->value(), ChosenTool(),
      PageControl1->currentIndex() == kFreehandTab ? SketchMode::Freehand : SketchMode::Automatic);
  sketchRaster = Raster24();
  if (Image1->Picture().Empty())
    throw std::runtime_error("There is no photograph to convert: open one first.");
  workRaster = Image1->Picture();
  SketchBackground background;
  if (suiComboBox1->currentIndex() != 0) {
    background.texture = &Image4->Picture();
    background.layout = ChosenLayout();
  }
  Convert(workRaster, settings, background, sketchRaster);
  Image2->SetPicture(sketchRaster);
}

void TOldForm::suitempTrackBar1Change() {
  Edit1->setText(QString::number(TrackBar1->value()));
}

void TOldForm::suitempTrackBar3Change() {
  Edit2->setText(QString::number(TrackBar3->value()));
}

void TOldForm::suitempTrackBar2Change() {
  BrushSize = TrackBar2->value();
  Edit3->setText(QString::number(BrushSize));
  Image3->hide();
  Image3->ClearPicture();
  Image3->resize(2 * BrushSize, 2 * BrushSize);
  Image3->SetPicture(BrushOutline(BrushSize));
}

void TOldForm::suitempPageControl1Change() {
  SavePictureDialog1.SetFileName(QString());
  if (PageControl1->currentIndex() == kFreehandTab) {
    RadioButton3->setEnabled(true);
    RadioButton2->setEnabled(true);
    SetStatusText(QStringLiteral("Use your mouse to draw on the sketch area."));
  } else {
    Image3->hide();
    RadioButton3->setEnabled(false);
    RadioButton2->setEnabled(false);
    if (RadioButton3->isChecked() || RadioButton2->isChecked()) RadioButton5->setChecked(true);
    SetStatusText(QStringLiteral("Auto Convert."));
  }
}

void TOldForm::suiComboBox2Change() {
  if (const std::optional<UiStyle> style = UiStyleFromIndex(suiComboBox2->currentIndex()))
    suiThemeManager1.SetStyle(*style);
  // The batch and frames windows take the main window's style when they arrive.
}

void TOldForm::FitPictureViews() {
  const Raster24& source = Image1->Picture();
  const std::optional<PictureViewBoxes> boxes = vellumine::FitPictureViews(
      source.Width(), source.Height(), Panel1->width(), Panel1->height());
  if (!boxes) return;  // nothing to fit: the views stay as they are
  Image1->setGeometry(boxes->source.left, boxes->source.top, boxes->source.width,
                      boxes->source.height);
  Image2->setGeometry(boxes->sketch.left, boxes->sketch.top, boxes->sketch.width,
                      boxes->sketch.height);
}

void TOldForm::FormResize() {
  FitPictureViews();
}

void TOldForm::FormShow() {
  try {
    OpenPicture(setup_.startPicture.empty() ? setup_.programFolder + kSamplePicture
                                            : setup_.startPicture);
  } catch (...) {
    // The window still comes up: the user can open a photograph of their own.
    ReportException(std::current_exception());
  }
  QStringList textures;
  ScanTextureFolder(QFile::decodeName(QByteArray::fromStdString(TextureFolder())), textures);
  suiComboBox1->addItems(textures);
  const int style = ReadProfileInt(setup_.settingsPath, kSettingsSection, kSettingsKey, 0);
  suiComboBox2->setCurrentIndex(UiStyleFromIndex(style) ? style : -1);
  suiComboBox2Change();
}

void TOldForm::FormClose() {
  WriteProfileInt(setup_.settingsPath, kSettingsSection, kSettingsKey,
                  suiComboBox2->currentIndex());
}

void TOldForm::Image1DblClick() {
  ShowRealScale(Image1->Picture());
}

void TOldForm::Image2DblClick() {
  ShowRealScale(Image2->Picture());
  PenDown = false;
}

void TOldForm::ShowRealScale(const Raster24& picture) {
  if (picture.Height() == 0) return;
  TViewForm viewer(*this, picture);
  viewer.exec();
}

void TOldForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void TOldForm::closeEvent(QCloseEvent* event) {
  try {
    FormClose();
  } catch (...) {
    // Closing goes on: the style is simply not kept.
    ReportException(std::current_exception());
  }
  event->accept();
}

bool TOldForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel1 && event->type() == QEvent::Resize) FormResize();
  return QWidget::eventFilter(watched, event);
}

namespace {

// The first local file among the dropped ones that the window opens, or an empty string.
std::string DroppedPicture(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const std::string path = QFile::encodeName(url.toLocalFile()).toStdString();
    if (IsDroppablePicture(path)) return path;
  }
  return {};
}

}  // namespace

void TOldForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedPicture(event->mimeData()).empty()) event->acceptProposedAction();
}

void TOldForm::dropEvent(QDropEvent* event) {
  const std::string path = DroppedPicture(event->mimeData());
  if (path.empty()) return;
  event->acceptProposedAction();
  try {
    OpenPicture(path);
  } catch (...) {
    ReportException(std::current_exception());
  }
}

}  // namespace vellumine
