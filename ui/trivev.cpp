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
#include "tables.h"

#include "play/texts.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>

#include <algorithm>
#include <chrono>

namespace ui {

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
// session would put ｷｬﾝｾﾙ first). Enter answers OK, Escape and the close
// box ｷｬﾝｾﾙ.
class QuitBox final : public QMessageBox {
public:
    explicit QuitBox(QWidget* parent)
        : QMessageBox(QMessageBox::Question, qString(play::QuitTitle), qString(play::QuitQuestion), QMessageBox::NoButton,
                      parent)
    {
        ok = addButton(qString(play::QuitOk), QMessageBox::ActionRole);
        QPushButton* cancel = addButton(qString(play::QuitCancel), QMessageBox::ActionRole);
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
// the map. The bitmap's pixels are turned into the window's own layout here,
// on this thread, once for each change of the bitmap, and then copied as
// they are. Drawn straight from the bitmap's layout, or scaled on a screen
// of scale 2, the toolkit would hand each repaint to its pool of threads,
// waking them whenever the view changes; and a repaint that changes nothing
// (a panel hidden over the view) converts nothing.
class ImageView final : public QWidget {
public:
    ImageView(QSize size, QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(size);
    }
    void setBitmap(const render::Bitmap* bitmap)
    {
        m_bitmap = bitmap;
        m_shownDrawings.reset();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        if (!m_bitmap) {
            painter.fillRect(rect(), qColour(render::Black));
            return;
        }
        const qreal ratio = painter.device()->devicePixelRatio();
        // A whole scale of the screen is drawn here pixel for pixel; any
        // other is left to the toolkit.
        const int scale = ratio >= 1 && ratio == int(ratio) ? int(ratio) : 1;
        if (m_shown.width() != m_bitmap->width() * scale || m_shownDrawings != m_bitmap->drawings())
            show(scale);
        painter.drawImage(0, 0, m_shown);
    }

private:
    // At a scale of n each pixel becomes an n x n square.
    void show(int scale)
    {
        const render::Bitmap& bitmap = *m_bitmap;
        if (m_shown.width() != bitmap.width() * scale) {
            m_shown = QImage(bitmap.width() * scale, bitmap.height() * scale, QImage::Format_RGB32);
            m_shown.setDevicePixelRatio(scale);
        }
        for (int y = 0; y < bitmap.height(); ++y) {
            const render::Pixel* from = bitmap.row(y);
            auto* to = reinterpret_cast<QRgb*>(m_shown.scanLine(y * scale));
            if (scale == 1) {
                for (int x = 0; x < bitmap.width(); ++x)
                    to[x] = qRgbOfPixel(from[x]);
            } else {
                for (int x = 0; x < bitmap.width(); ++x)
                    std::fill_n(to + x * scale, scale, qRgbOfPixel(from[x]));
                for (int copy = 1; copy < scale; ++copy)
                    std::copy_n(to, m_shown.width(), reinterpret_cast<QRgb*>(m_shown.scanLine(y * scale + copy)));
            }
        }
        m_shownDrawings = bitmap.drawings();
    }

    const render::Bitmap* m_bitmap = nullptr;
    QImage m_shown;  // the bitmap in the window's layout, as it was last drawn
    std::optional<std::uint64_t> m_shownDrawings;
};

namespace {

using play::Kind;

QImage programIcon()
{
    return pictures::programIcon();
}

// The pictures the window's controls show, by the names the table gives them.
QImage pictureNamed(std::string_view name)
{
    constexpr std::pair<std::string_view, QImage (*)()> Pictures[] = {
        {"right", pictures::rightGlyph}, {"forward", pictures::maeGlyph}, {"left", pictures::leftGlyph},
        {"icon", programIcon},           {"north", pictures::shownNorthArrow},
    };
    for (const auto& [named, picture] : Pictures)
        if (name == named)
            return picture();
    return {};
}

// Read-only, never focused, no input method, no menu, flat and borderless.
QLineEdit* countField(const play::Control& c, QWidget* window)
{
    auto* field = new QLineEdit(qString(c.text), window);
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

// A caption or picture; one that plays something answers the mouse. A
// release plays wherever the mouse is let go, a click only over it.
QLabel* label(const play::Control& c, TRivev* window)
{
    const play::Wiring& does = c.does;
    QLabel* label = nullptr;
    if (does.click || does.press || does.release || does.rightPress) {
        auto* reacting = new PictureLabel(window);
        QObject::connect(reacting, &PictureLabel::pressed, window,
                         [window, &does](Qt::MouseButton button) { window->pressOn(does, button); });
        if (does.release)
            QObject::connect(reacting, &PictureLabel::released, window, [window, &does] { window->perform(*does.release); });
        if (does.click)
            QObject::connect(reacting, &PictureLabel::clicked, window, [window, &does] { window->perform(*does.click); });
        label = reacting;
    } else {
        label = new QLabel(window);
    }
    if (!c.text.empty())
        label->setText(qString(c.text));
    if (!c.picture.empty())
        label->setPixmap(QPixmap::fromImage(pictureNamed(c.picture)));
    if (c.ink != play::NoColour)
        colour(label, QPalette::WindowText, c.ink);
    if (c.ground != play::NoColour) {
        label->setAutoFillBackground(true);
        colour(label, QPalette::Window, c.ground);
    }
    if (c.kind == Kind::Picture)
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (c.kind == Kind::ScaledPicture)
        label->setScaledContents(true);
    if (c.kind == Kind::Panel) {
        label->setAlignment(Qt::AlignCenter);
        label->hide();
    }
    return label;
}

// A movement button's release plays, whatever the mouse button, only when
// it is let go over the button.
QPushButton* button(const play::Control& c, TRivev* window)
{
    const play::Wiring& does = c.does;
    QPushButton* button = nullptr;
    if (c.kind == Kind::PictureButton) {
        auto* glyphButton = new GlyphButton(pictureNamed(c.picture), window);
        if (does.release)
            QObject::connect(glyphButton, &GlyphButton::mouseReleased, window,
                             [window, &does](Qt::MouseButton, bool inside) {
                                 if (inside)
                                     window->perform(*does.release);
                             });
        button = glyphButton;
    } else {
        button = new MenuButton(qString(c.text), window);
    }
    if (c.ink != play::NoColour)
        colour(button, QPalette::ButtonText, c.ink);
    if (does.click)
        QObject::connect(button, &QPushButton::clicked, window, [window, &does] { window->perform(*does.click); });
    return button;
}

// The main window has no sunken areas or text boxes of its own: those are
// the dialogs'.
QWidget* createControl(const play::Control& c, TRivev* window)
{
    QWidget* control = nullptr;
    switch (c.kind) {
    case Kind::Surface: control = new ImageView(qRect(c.place).size(), window); break;
    case Kind::PictureButton:
    case Kind::PushButton: control = button(c, window); break;
    case Kind::CountField: control = countField(c, window); break;
    case Kind::Picture:
    case Kind::ScaledPicture:
    case Kind::Text:
    case Kind::Panel:
    case Kind::Sunken:
    case Kind::Memo: control = label(c, window); break;
    }
    control->setObjectName(qString(c.name));
    if (c.place.width == 0)
        control->move(c.place.x, c.place.y);
    else
        control->setGeometry(qRect(c.place));
    if (!c.font.face.empty())
        control->setFont(gameFont(c.font));
    if (!c.hint.empty())
        hint(control, qString(c.hint));
    if (!c.spoken.empty())
        control->setAccessibleName(qString(c.spoken));
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
    setWindowTitle(qString(play::MainTitle));
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
        m_playfield.game.onCountdownRestart([this](unsigned ms) {
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
    setFont(gameFont(play::WindowFont));
    colour(this, QPalette::Window, render::Silver);
    for (const play::Control& c : play::MainControls)
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

    // Start and Redo are the only stops of the Tab key; Enter presses the
    // one that has the focus, Start from the outset.
    m_button3->setDefault(true);
    setTabOrder(m_button3, m_button1);
    m_button3->setFocus();
}

// Each item plays its row of the action table.
QMenu* TRivev::createMenu(const char* name, const play::Control& carrier)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QLatin1String(name));
    for (const play::MenuItem& i : carrier.menu) {
        QAction* item = menu->addAction(qString(i.text));
        item->setObjectName(qString(i.name));
        connect(item, &QAction::triggered, this, [this, act = i.act, argument = i.argument] { perform(act, argument); });
    }
    return menu;
}

void TRivev::createMenus()
{
    m_popupMenu1 = createMenu("PopupMenu1", play::control(play::MainControls, "Button3"));
    m_popupMenu2 = createMenu("PopupMenu2", play::control(play::MainControls, "Button1"));
    m_button3->setPopupMenu(m_popupMenu1);
    m_button1->setPopupMenu(m_popupMenu2);
}

// Puts the game's state on the window's controls; unchanged controls are
// left alone so that a tick repaints only what changed.
void TRivev::showState()
{
    const game::Game& g = m_playfield.game;
    const Shown now{g.timeShown(), g.MazeIndex(), g.notice(), g.panels(), m_playfield.mapBitmap().drawings()};
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
// the window shows what changed. Help, About and Quit open their windows
// instead, which draw nothing on the game. After the close no tick may draw.
void TRivev::perform(play::Act act, int argument)
{
    using play::Act;
    switch (act) {
    case Act::Help: open(m_help); return;
    case Act::About: open(m_about); return;
    case Act::Quit: close(); return;
    case Act::Tick:
        if (!m_playfield.hasSceneBitmap())
            return;
        break;
    default: break;
    }
    play::play(m_playfield, act, argument);
    if (act == Act::Tick && m_playfield.viewChanged())
        m_view->update();
    showState();
    if (act == Act::Tick)
        emit frameShown();
    if (act == Act::Countdown)
        emit countdownStepped();
}

// A press on a control: the right button plays its right press, any other
// its press.
void TRivev::pressOn(const play::Wiring& does, Qt::MouseButton button)
{
    const std::optional<play::Act>& act = button == Qt::RightButton ? does.rightPress : does.press;
    if (act)
        perform(*act);
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

void TRivev::Label5MouseDown(Qt::MouseButton button)
{
    pressOn(play::control(play::MainControls, "Label5").does, button);
}

void TRivev::Label5MouseUp() { perform(play::Act::Unprobe); }
void TRivev::Image1Click() { perform(play::Act::About); }
void TRivev::Label1Click() { perform(play::Act::Quit); }

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
