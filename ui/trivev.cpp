#include "trivev.h"

#include "bell.h"
#include "buttons.h"
#include "decorations.h"
#include "fixeddialog.h"
#include "fonts.h"
#include "notices.h"
#include "palette.h"
#include "picturelabel.h"
#include "pictures.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>

#include <chrono>

namespace ui {

const char* const MainTitle = "Vesmor1.1 夜は千の眼を持っている。あなたには一つの眼も残されていない。";

namespace {

void colour(QWidget* widget, QPalette::ColorRole role, render::Colour colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, qColour(colour));
    widget->setPalette(palette);
}

// Hints double as accessible names, so a screen reader can name the control.
void hint(QWidget* widget, const QString& text)
{
    widget->setToolTip(text);
    widget->setAccessibleName(text);
}

// The close question, centred on the screen. Both buttons take the action
// role: every desktop's button layout keeps such buttons in the order they
// were added, so it reads "OK" then "ｷｬﾝｾﾙ" everywhere (by role, a GNOME
// playfield would put ｷｬﾝｾﾙ first). Enter answers OK, Escape and the close
// box ｷｬﾝｾﾙ.
class QuitBox final : public QMessageBox {
public:
    explicit QuitBox(QWidget* parent)
        : QMessageBox(QMessageBox::Question, QStringLiteral("確認"), QStringLiteral("VESMORを終了しますか？"),
                      QMessageBox::NoButton, parent)
    {
        ok = addButton(QStringLiteral("OK"), QMessageBox::ActionRole);
        QPushButton* cancel = addButton(QStringLiteral("ｷｬﾝｾﾙ"), QMessageBox::ActionRole);
        setDefaultButton(ok);
        setEscapeButton(cancel);
    }
    QPushButton* ok;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);  // sizes the box to its text
        centreOnScreen(*this);
    }
};

bool askToQuit(QWidget* parent)
{
    QuitBox box(parent);
    box.exec();
    return box.clickedButton() == box.ok;
}

} // namespace

// Draws one of the game's bitmaps, unscaled, and nothing else: the view and
// the map. It reads the bitmap's own pixels, never a copy.
class ImageView final : public QWidget {
public:
    ImageView(QSize size, QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(size);
    }
    void setBitmap(const render::Bitmap* bitmap) { m_bitmap = bitmap; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        if (m_bitmap)
            painter.drawImage(0, 0, qImageOf(*m_bitmap));
        else
            painter.fillRect(rect(), qColour(render::Black));
    }

private:
    const render::Bitmap* m_bitmap = nullptr;
};

namespace {

enum class Kind {
    Surface,        // an image shown unscaled: the view, the overview map
    PictureButton,  // a movement button showing its glyph
    Picture,        // a picture at its natural size, from the top left
    ScaledPicture,  // a picture scaled to the control
    CountField,     // the countdown's read-only field
    Text,           // a caption; with no size given, sized to its text
    Panel,          // a centred caption on its own ground, hidden at start
    PushButton,     // Start and Redo, each with its right-click menu
};
using enum Kind;

struct Font {
    const QString* face = nullptr;  // none: the window's font, inherited
    int pixelSize = 0;
    bool bold = false;
    bool italic = false;
};
constexpr Font WindowFont{&PGothicFace, 12};

QFont qFont(const Font& font)
{
    return gameFont(*font.face, font.pixelSize, font.bold, font.italic);
}

constexpr render::Colour NoColour = -1;  // the style's own

// One control of the window: the text's colour (ink) and background
// (ground), a caption or a picture, a hint, and the handlers its click, a
// press and a release of a mouse button on it reach.
struct Control {
    const char* name;
    Kind kind;
    QRect place;
    Font font = {};
    render::Colour ink = NoColour;
    render::Colour ground = NoColour;
    const char* text = nullptr;
    QImage (*picture)() = nullptr;
    const char* hint = nullptr;
    void (TRivev::*click)() = nullptr;
    void (TRivev::*press)(Qt::MouseButton) = nullptr;
    void (TRivev::*release)() = nullptr;
};

QImage programIcon()
{
    return pictures::programIcon();
}

// The window's controls in painting order: a later one lies over an earlier
// one where they overlap.
constexpr Control Controls[] = {
    {.name = "View", .kind = Surface, .place = {31, 31, render::SceneSize, render::SceneSize}},
    {.name = "RightBtn", .kind = PictureButton, .place = {141, 406, 40, 30}, .picture = pictures::rightGlyph,
     .hint = "右に向きます", .click = &TRivev::RightBtnClick},
    {.name = "MaeBtn", .kind = PictureButton, .place = {81, 406, 40, 30}, .picture = pictures::maeGlyph,
     .hint = "正面に進みます", .click = &TRivev::MaeBtnClick, .release = &TRivev::MaeBtnMouseUp},
    {.name = "LeftBtn", .kind = PictureButton, .place = {19, 406, 40, 30}, .picture = pictures::leftGlyph,
     .hint = "左に向きます", .click = &TRivev::LeftBtnClick},
    {.name = "Image1", .kind = ScaledPicture, .place = {442, 16, 32, 32}, .picture = programIcon,
     .hint = "ﾊﾞｰｼﾞｮﾝ情報", .click = &TRivev::Image1Click},
    {.name = "TimeEdit", .kind = CountField, .place = {440, 142, 37, 19}, .font = {&GothicFace, 17, true},
     .ink = render::Black, .ground = render::White, .text = "300"},
    {.name = "Image3", .kind = Picture, .place = {395, 161, 17, 20}, .picture = pictures::shownNorthArrow},
    {.name = "Image2", .kind = Surface, .place = {398, 184, render::MapSize, render::MapSize}},
    {.name = "Label4", .kind = Text, .place = {397, 356, 0, 0}, .font = WindowFont, .ink = render::Black},
    {.name = "Label5", .kind = Text, .place = {196, 400, 16, 36}, .font = {&TimesFace, 32, true}, .ink = render::Red,
     .text = "?", .hint = "現在地・右ｸﾘｯｸでﾍﾙﾌﾟ", .press = &TRivev::Label5MouseDown,
     .release = &TRivev::Label5MouseUp},
    {.name = "Label1", .kind = Text, .place = {428, 406, 58, 27}, .font = {&MsSerifFace, 24, true, true},
     .ink = render::Yellow, .ground = render::Black, .text = "Exit", .click = &TRivev::Label1Click},
    {.name = "Label2", .kind = Text, .place = {500, 413, 0, 0}, .font = WindowFont, .ink = render::Black},
    {.name = "Button1", .kind = PushButton, .place = {229, 406, 65, 30}, .font = {&MsSerifFace, 19, true, true},
     .ink = render::White, .text = "Redo", .hint = "終了地点から再ｽﾀｰﾄ・右クリックで時間の設定",
     .click = &TRivev::Button1Click},
    {.name = "Panel1", .kind = Panel, .place = {95, 174, 198, 41}, .font = {&MsSerifFace, 19, true},
     .ink = render::White, .ground = render::Black, .text = "You are trapped!"},
    {.name = "Panel2", .kind = Panel, .place = {102, 46, 185, 41}, .font = {&MsSerifFace, 20, true},
     .ink = render::Yellow, .ground = render::Navy, .text = "Congratulation!"},
    {.name = "Button3", .kind = PushButton, .place = {305, 406, 66, 30}, .font = {&MsSerifFace, 20, true, true},
     .text = "Start", .hint = "右ｸﾘｯｸでﾏｯﾌﾟの選択", .click = &TRivev::Button3Click},
};

// Read-only, never focused, no input method, no menu, flat and borderless.
QLineEdit* countField(const Control& c, QWidget* window)
{
    auto* field = new QLineEdit(QString::fromUtf8(c.text), window);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setFrame(false);
    field->setAttribute(Qt::WA_InputMethodEnabled, false);
    field->setTextMargins(0, 0, 0, 0);
    field->setCursor(Qt::ArrowCursor);
    field->setContextMenuPolicy(Qt::NoContextMenu);
    colour(field, QPalette::Base, c.ground);
    colour(field, QPalette::Text, c.ink);
    // Opaque, so the count's change once a second repaints the field alone,
    // not the window's decorations behind it.
    field->setAutoFillBackground(true);
    return field;
}

// A caption or picture; one with handlers answers the mouse. A release
// reaches its handler wherever the mouse is let go, a click only over it.
QLabel* label(const Control& c, TRivev* window)
{
    QLabel* label = nullptr;
    if (c.click || c.press || c.release) {
        auto* reacting = new PictureLabel(window);
        if (c.press)
            QObject::connect(reacting, &PictureLabel::pressed, window, c.press);
        if (c.release)
            QObject::connect(reacting, &PictureLabel::released, window, c.release);
        if (c.click)
            QObject::connect(reacting, &PictureLabel::clicked, window, c.click);
        label = reacting;
    } else {
        label = new QLabel(window);
    }
    if (c.text)
        label->setText(QString::fromUtf8(c.text));
    if (c.picture)
        label->setPixmap(QPixmap::fromImage(c.picture()));
    if (c.ink != NoColour)
        colour(label, QPalette::WindowText, c.ink);
    if (c.ground != NoColour) {
        label->setAutoFillBackground(true);
        colour(label, QPalette::Window, c.ground);
    }
    if (c.kind == Picture)
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (c.kind == ScaledPicture)
        label->setScaledContents(true);
    if (c.kind == Panel) {
        label->setAlignment(Qt::AlignCenter);
        label->hide();
    }
    return label;
}

// A movement button's release reaches its handler, whatever the mouse
// button, only when it is let go over the button.
QPushButton* button(const Control& c, TRivev* window)
{
    QPushButton* button = nullptr;
    if (c.kind == PictureButton) {
        auto* glyphButton = new GlyphButton(c.picture(), window);
        if (c.release)
            QObject::connect(glyphButton, &GlyphButton::mouseReleased, window,
                             [window, release = c.release](Qt::MouseButton, bool inside) {
                                 if (inside)
                                     (window->*release)();
                             });
        button = glyphButton;
    } else {
        button = new MenuButton(QString::fromUtf8(c.text), window);
    }
    if (c.ink != NoColour)
        colour(button, QPalette::ButtonText, c.ink);
    QObject::connect(button, &QPushButton::clicked, window, c.click);
    return button;
}

QWidget* createControl(const Control& c, TRivev* window)
{
    QWidget* control = nullptr;
    switch (c.kind) {
    case Surface: control = new ImageView(c.place.size(), window); break;
    case PictureButton:
    case PushButton: control = button(c, window); break;
    case CountField: control = countField(c, window); break;
    case Picture:
    case ScaledPicture:
    case Text:
    case Panel: control = label(c, window); break;
    }
    control->setObjectName(QLatin1String(c.name));
    if (c.place.isEmpty())
        control->move(c.place.topLeft());
    else
        control->setGeometry(c.place);
    if (c.font.face)
        control->setFont(qFont(c.font));
    if (c.hint)
        hint(control, QString::fromUtf8(c.hint));
    return control;
}

template <typename T>
T* control(QWidget& window, const char* name)
{
    return static_cast<T*>(window.findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly));
}

} // namespace

// A fixed frame with a close box and neither minimise nor maximise.
TRivev::TRivev(Clock clock, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(QString::fromUtf8(MainTitle));
    setFixedSize(ClientWidth, ClientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);

    runModal = [](QDialog& dialog) { dialog.exec(); };
    confirmClose = [this] { return askToQuit(this); };
    m_playfield.beeper = systemBeep();

    createControls();
    createMenus();
    FormCreate();

    if (clock == Clock::Real) {
        m_timer1.setTimerType(Qt::PreciseTimer);
        m_timer2.setTimerType(Qt::PreciseTimer);
        connect(&m_timer1, &QTimer::timeout, this, &TRivev::Timer1Timer);
        connect(&m_timer2, &QTimer::timeout, this, &TRivev::Timer2Timer);
        // The game decides when the countdown restarts; the timer follows.
        m_playfield.game.countdown.onRestart([this](unsigned ms) {
            if (ms == 0)
                m_timer2.stop();
            else
                m_timer2.start(int(ms));
        });
        m_timer1.start(int(game::TickPeriod));
    }
}

TRivev::~TRivev() = default;

void TRivev::setDialogs(DialogMaker about, DialogMaker help)
{
    m_about = {std::move(about)};
    m_help = {std::move(help)};
}

void TRivev::open(Dialog& dialog)
{
    if (!dialog.made && dialog.make)
        dialog.made = dialog.make();
    if (dialog.made)
        runModal(*dialog.made);
}

void TRivev::FormCreate()
{
    // Seeded from the clock, so every run draws its own maze and start.
    m_playfield.FormCreate(std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count()));
    m_view->setBitmap(&m_playfield.sceneBitmap());
    showState();
}

void TRivev::createControls()
{
    setFont(qFont(WindowFont));
    colour(this, QPalette::Window, render::Silver);
    for (const Control& c : Controls)
        createControl(c, this);

    m_view = control<ImageView>(*this, "View");
    m_map = control<ImageView>(*this, "Image2");
    m_map->setBitmap(&m_playfield.mapBitmap());
    m_timeEdit = control<QLineEdit>(*this, "TimeEdit");
    m_label4 = control<QLabel>(*this, "Label4");
    m_label2 = control<QLabel>(*this, "Label2");
    m_panel1 = control<QLabel>(*this, "Panel1");
    m_panel2 = control<QLabel>(*this, "Panel2");
    m_button1 = control<MenuButton>(*this, "Button1");
    m_button3 = control<MenuButton>(*this, "Button3");

    // Two controls without a hint still have a name to be read out.
    m_timeEdit->setAccessibleName(QStringLiteral("残り時間"));
    control<QLabel>(*this, "Label1")->setAccessibleName(QStringLiteral("Exit"));

    // Start and Redo are the only stops of the Tab key; Enter presses the
    // one that has the focus, Start from the outset.
    m_button3->setDefault(true);
    setTabOrder(m_button3, m_button1);
    m_button3->setFocus();
}

void TRivev::createMenus()
{
    m_popupMenu1 = new QMenu(this);
    m_popupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    for (int maze = 0; maze < game::MazeCount; ++maze) {
        QAction* item = m_popupMenu1->addAction(QStringLiteral("map %1").arg(maze));
        item->setObjectName(QStringLiteral("map%1").arg(maze) + QLatin1Char('1'));
        connect(item, &QAction::triggered, this, [this, maze] { mapClick(maze); });
    }
    m_popupMenu2 = new QMenu(this);
    m_popupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    for (int seconds : {180, 240, 300, 360}) {
        QAction* item = m_popupMenu2->addAction(QStringLiteral("%1秒").arg(seconds));
        item->setObjectName(QStringLiteral("K%1").arg(seconds) + QLatin1Char('1'));
        connect(item, &QAction::triggered, this, [this, seconds] { timeClick(seconds); });
    }
    m_button3->setPopupMenu(m_popupMenu1);
    m_button1->setPopupMenu(m_popupMenu2);
}

// Puts the game's state on the window's controls; unchanged controls are
// left alone so that a tick repaints only what changed.
void TRivev::showState()
{
    const game::Game& g = m_playfield.game;
    const Shown now{g.timeShown(), g.MazeIndex, g.notice, g.panels, m_playfield.mapBitmap().drawings()};
    if (m_shown && now == *m_shown)
        return;  // the common tick: nothing on show has changed
    const auto setCaption = [](auto* control, const QString& caption) {
        if (control->text() == caption)
            return false;
        control->setText(caption);
        return true;
    };
    setCaption(m_timeEdit, QString::number(now.time));
    if (setCaption(m_label2, QString::number(now.maze)))
        m_label2->adjustSize();  // sized to its text
    if (setCaption(m_label4, noticeText(now.notice)))
        m_label4->adjustSize();
    m_panel1->setVisible(now.panels.trapped);
    m_panel2->setVisible(now.panels.won);
    if (!m_shown || now.mapDrawings != m_shown->mapDrawings)
        m_map->update();
    m_shown = now;
}

// Every action on the window goes through here: the game plays it, then
// the window shows what changed. Help opens its dialog instead, which
// draws nothing on the game. After the close no tick may draw.
void TRivev::perform(play::Act act, int argument)
{
    using play::Act;
    if (act == Act::Help) {
        open(m_help);
        return;
    }
    if (act == Act::Tick && !m_playfield.hasSceneBitmap())
        return;
    play::play(m_playfield, act, argument);
    if (act == Act::Tick && m_playfield.viewChanged())
        m_view->update();
    showState();
    if (act == Act::Tick)
        emit frameShown();
    if (act == Act::Countdown)
        emit countdownStepped();
}

void TRivev::Timer1Timer() { perform(play::Act::Tick); }
void TRivev::Timer2Timer() { perform(play::Act::Countdown); }
// A click on the forward button is taken whole, press and release; the
// release alone (MaeBtnMouseUp) also comes when no click follows.
void TRivev::MaeBtnClick() { perform(play::Act::Forward); }
void TRivev::MaeBtnMouseUp() { perform(play::Act::Release); }
void TRivev::LeftBtnClick() { perform(play::Act::Left); }
void TRivev::RightBtnClick() { perform(play::Act::Right); }
void TRivev::Button3Click() { perform(play::Act::Start); }
void TRivev::Button1Click() { perform(play::Act::Redo); }
void TRivev::mapClick(int maze) { perform(play::Act::ChooseMaze, maze); }
void TRivev::timeClick(int seconds) { perform(play::Act::ChooseTime, seconds); }

// The right button opens the help; any other flashes the player's cell.
void TRivev::Label5MouseDown(Qt::MouseButton button)
{
    perform(button == Qt::RightButton ? play::Act::Help : play::Act::Probe);
}

void TRivev::Label5MouseUp() { perform(play::Act::Unprobe); }

void TRivev::Image1Click()
{
    open(m_about);
}

void TRivev::Label1Click()
{
    close();
}

void TRivev::FormActivate()
{
    open(m_help);
}

bool TRivev::FormCloseQuery()
{
    return confirmClose();
}

// After this no tick may draw: the bitmap is gone.
void TRivev::FormClose()
{
    m_timer1.stop();
    m_timer2.stop();
    m_view->setBitmap(nullptr);
    m_playfield.FormClose();
}

void TRivev::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setClipRect(event->rect());
    paintDecorations(painter);
}

void TRivev::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TRivev::event(QEvent* event)
{
    // The help greets the player once, when the window first becomes
    // active; dialogs closing hand the focus back without greeting again.
    if (event->type() == QEvent::WindowActivate && !m_activatedOnce) {
        m_activatedOnce = true;
        QTimer::singleShot(0, this, &TRivev::FormActivate);
    }
    return QWidget::event(event);
}

void TRivev::keyPressEvent(QKeyEvent* event)
{
    // Enter with no button focused still presses the default button, Start.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !m_button1->hasFocus()) {
        m_button3->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace ui
