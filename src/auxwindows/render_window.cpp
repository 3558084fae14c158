#include "render_window.h"

#include "photometry/ini_document.h"
#include "platform/message_service.h"
#include "preview_source.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>

namespace gonilux::auxwindows {
namespace {

constexpr int kClientWidth = 358;
constexpr int kClientHeight = 384;
constexpr int kDefaultBrightness = 40;
constexpr int kDefaultZoom = 500;
constexpr int kZoomMaximum = 10000;
constexpr char kSection[] = "Render";

} // namespace

RenderTrackBar::RenderTrackBar(int minimum, int maximum, QWidget* parent)
    : QSlider(Qt::Horizontal, parent) {
    setRange(minimum, maximum);
    setTickPosition(QSlider::NoTicks);
    setFocusPolicy(Qt::StrongFocus);
}

void RenderTrackBar::mouseReleaseEvent(QMouseEvent* event) {
    QSlider::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) emit renderRequested();
}

void RenderTrackBar::keyReleaseEvent(QKeyEvent* event) {
    QSlider::keyReleaseEvent(event);
    if (!event->isAutoRepeat()) emit renderRequested();
}

TRenderWindow::TRenderWindow(const PreviewSource& source, const QString& settingsPath,
                             QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      source_(source), settingsPath_(settingsPath) {
    setObjectName(QStringLiteral("RenderWindow"));
    setWindowTitle(tr("渲染(Beta 1.4)"));
    setFixedSize(kClientWidth, kClientHeight);
    buildControls();
    buildTrackBars();
    connect(this, &QDialog::finished, this, &TRenderWindow::closed);
    LoadSettings();
}

TRenderWindow::~TRenderWindow() {
    FormDestroy();
}

QPushButton* TRenderWindow::makeButton(const QString& text, const QString& hint, int x, int y,
                                       int w, int h) {
    auto* button = new QPushButton(text, this);
    button->setToolTip(hint);
    button->setGeometry(x, y, w, h);
    button->setAutoDefault(false);
    return button;
}

void TRenderWindow::buildControls() {
    auto* panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel1->setGeometry(9, 9, 305, 305);
    image1_ = new QLabel(panel1);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(2, 2, kRenderSize, kRenderSize);
    auto label = [this](const QString& text, int x, int y) {
        auto* l = new QLabel(text, this);
        l->move(x, y);
        return l;
    };
    label(tr("亮度:"), 12, 325);
    label2_ = label(QString(), 67, 325);
    label(tr("缩放:"), 12, 342);
    labelZoom_ = label(QString(), 54, 342);
    label(QStringLiteral("Z:"), 12, 358)->setEnabled(false);
    auto toggle = [this](const QString& text, const QString& hint, int y) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setToolTip(hint);
        b->setCheckable(true);
        b->setGeometry(320, y, 25, 25);
        return b;
    };
    sbRadiosity_ = toggle(QStringLiteral("☼"), tr("放射"), 282);
    sbUpdate_ = toggle(QStringLiteral("↻"), tr("自动更新渲染"), 253);
    sbRadiosity_->setChecked(true);
    sbUpdate_->setChecked(true);
    buttonResetBrightness_ = makeButton(QStringLiteral("R"), tr("复位亮度"), 248, 326, 20, 16);
    buttonResetZoom_ = makeButton(QStringLiteral("R"), tr("复位缩放))"), 248, 342, 20, 16);
    buttonReset_ = makeButton(QStringLiteral("R"), tr("重置 Z"), 248, 358, 20, 16);
    buttonReset_->setEnabled(false);
    buttonClose_ = makeButton(tr("关  闭"), QString(), 272, 349, 75, 25);
    buttonUpdate_ = makeButton(tr("更新(&U)"), QString(), 272, 320, 75, 25);
    buttonUpdate_->hide();
    int y = 48;
    for (const char* text : {"XY", "Z", "-Z"}) {
        auto* radio = new QRadioButton(QString::fromLatin1(text), this);
        radio->move(320, y);
        radio->setChecked(y == 48);
        radio->setEnabled(false);
        y += 40;
    }
    connect(sbRadiosity_, &QToolButton::clicked, this, &TRenderWindow::SBradiosityClick);
    connect(sbUpdate_, &QToolButton::clicked, this, &TRenderWindow::SBUpdateClick);
    connect(buttonResetBrightness_, &QPushButton::clicked, this,
            &TRenderWindow::ButtonResetBrightnessClick);
    connect(buttonResetZoom_, &QPushButton::clicked, this, &TRenderWindow::ButtonResetZoomClick);
    connect(buttonReset_, &QPushButton::clicked, this, &TRenderWindow::ButtonResetClick);
    connect(buttonClose_, &QPushButton::clicked, this, &QDialog::close);
    connect(buttonUpdate_, &QPushButton::clicked, this, &TRenderWindow::ButtonUpdateClick);
}

void TRenderWindow::buildTrackBars() {
    trackBar2_ = new TTrackBar2(1, 100, this);
    trackBar2_->setObjectName(QStringLiteral("TrackBar2"));
    trackBar2_->setGeometry(95, 325, 150, 17);
    trackBarZoom_ = new TTrackBarZoom(1, kZoomMaximum, this);
    trackBarZoom_->setObjectName(QStringLiteral("TrackBarZoom"));
    trackBarZoom_->setGeometry(95, 342, 150, 17);
    trackBarZ_ = new TTrackBarZ(1, kZoomMaximum, this);
    trackBarZ_->setObjectName(QStringLiteral("TrackBarZ"));
    trackBarZ_->setGeometry(95, 359, 150, 17);
    trackBarZ_->setEnabled(false);
    setTabOrder(trackBar2_, trackBarZoom_);
    setTabOrder(trackBarZoom_, trackBarZ_);
    connect(trackBar2_, &QSlider::valueChanged, this, [this](int position) {
        label2_->setText(QString::number(position));
        pending_ = true;
    });
    connect(trackBarZoom_, &QSlider::valueChanged, this, [this](int position) {
        labelZoom_->setText(QString::number(kZoomMaximum - position));
        pending_ = true;
    });
    connect(trackBarZ_, &QSlider::valueChanged, this, [this] { pending_ = true; });
    for (RenderTrackBar* bar :
         {static_cast<RenderTrackBar*>(trackBar2_), static_cast<RenderTrackBar*>(trackBarZoom_),
          static_cast<RenderTrackBar*>(trackBarZ_)})
        connect(bar, &RenderTrackBar::renderRequested, this, &TRenderWindow::renderIfPending);
    trackBar2_->setValue(15);
    trackBarZoom_->setValue(kDefaultZoom);
    trackBarZ_->setValue(trackBarZ_->minimum());
    label2_->setText(QString::number(trackBar2_->value()));
    labelZoom_->setText(QString::number(kZoomMaximum - trackBarZoom_->value()));
}

// Reading stops at the first value that is not a number; what was applied before it stays.
void TRenderWindow::LoadSettings() {
    IniDocument ini;
    std::string error;
    bool ok = LoadIniFile(settingsPath_.toStdString(), ini, error);
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->geometry()
                             : QRect(0, 0, 1024, 768);
    auto left = ok ? ini.IntegerOr(kSection, "Left", (screen.width() - width()) / 2) : std::nullopt;
    auto top =
        left ? ini.IntegerOr(kSection, "Top", (screen.height() - height()) / 2) : std::nullopt;
    if (top) move(*left, *top);
    auto brightness =
        top ? ini.IntegerOr(kSection, "Brightness", kDefaultBrightness) : std::nullopt;
    if (brightness) trackBar2_->setValue(*brightness);
    auto zoom = brightness ? ini.IntegerOr(kSection, "Zoom", kDefaultZoom) : std::nullopt;
    if (zoom) trackBarZoom_->setValue(*zoom);
    auto radiosity = zoom ? ini.IntegerOr(kSection, "Radiocity", 1) : std::nullopt;
    if (radiosity) sbRadiosity_->setChecked(*radiosity != 0);
    auto autoRender = radiosity ? ini.IntegerOr(kSection, "AutoR", 1) : std::nullopt;
    if (autoRender) sbUpdate_->setChecked(*autoRender != 0);
    pending_ = false;
    if (!autoRender)
        platform::MessageService::instance()->show(tr("错误！"), tr("初始化错误\r无法读取设置\r"),
                                                   platform::MessageService::Icon::Error);
}

bool TRenderWindow::FormDestroy() {
    if (settingsWritten_) return true;
    settingsWritten_ = true;
    IniDocument ini;
    std::string error;
    LoadIniFile(settingsPath_.toStdString(), ini, error); // keeps the other sections
    ini.SetInteger(kSection, "Left", pos().x());
    ini.SetInteger(kSection, "Top", pos().y());
    ini.SetInteger(kSection, "Brightness", trackBar2_->value());
    ini.SetInteger(kSection, "Zoom", trackBarZoom_->value());
    ini.SetInteger(kSection, "Radiocity", sbRadiosity_->isChecked() ? 1 : 0);
    ini.SetInteger(kSection, "AutoR", sbUpdate_->isChecked() ? 1 : 0);
    return SaveIniFile(settingsPath_.toStdString(), ini, error);
}

RenderParams TRenderWindow::currentParams() const {
    RenderParams params;
    params.Plane = source_.planePosition();
    params.Brightness = trackBar2_->value();
    params.Zoom = trackBarZoom_->value();
    params.Radiosity = sbRadiosity_->isChecked();
    params.ZPosition = trackBarZ_->value();
    params.Planes = source_.diagramOptions().Planes();
    return params;
}

void TRenderWindow::DoRender() {
    renderedPlane_ = source_.planePosition();
    renderedFile_ = source_.currentFile();
    pending_ = false;
    image_ = auxwindows::DoRender(source_.previewIes(), currentParams());
    image1_->setPixmap(QPixmap::fromImage(image_));
    ++renderCount_;
}

bool TRenderWindow::hasFile() const {
    return !source_.currentFile().isEmpty();
}

void TRenderWindow::renderIfPending() {
    if (pending_ && hasFile()) DoRender();
}

void TRenderWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TRenderWindow::FormShow() {
    if (hasFile()) DoRender();
}

void TRenderWindow::ButtonUpdateClick() {
    FormShow();
}

void TRenderWindow::SBUpdateClick() {
    if (hasFile() && source_.currentFile() != renderedFile_) DoRender();
}

void TRenderWindow::SBradiosityClick() {
    FormShow();
}

void TRenderWindow::ButtonResetBrightnessClick() {
    trackBar2_->setValue(kDefaultBrightness);
    FormShow();
}

void TRenderWindow::ButtonResetZoomClick() {
    trackBarZoom_->setValue(kDefaultZoom);
    FormShow();
}

void TRenderWindow::ButtonResetClick() {
    trackBarZ_->setValue(trackBarZ_->minimum());
    FormShow();
}

} // namespace gonilux::auxwindows
