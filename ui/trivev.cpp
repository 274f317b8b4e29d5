#include "trivev.h"

#include "aboutbox.h"
#include "decorations.h"
#include "fixeddialog.h"
#include "fonts.h"
#include "helpdlg.h"
#include "palette.h"
#include "pictures.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

#include <chrono>

namespace ui {

const char* const MainTitle = "Vesmor1.1 夜は千の眼を持っている。あなたには一つの眼も残されていない。";

namespace {

void colour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QLabel* label(QWidget* parent, const QString& text, const QFont& font, const QColor& ink)
{
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    colour(l, QPalette::WindowText, ink);
    return l;
}

// Hints double as accessible names, so a screen reader can name the control.
void hint(QWidget* widget, const QString& text)
{
    widget->setToolTip(text);
    widget->setAccessibleName(text);
}

// Every button wears the window's silver face whatever the platform style,
// so the white "Redo" stays readable; the style still draws it raised and
// pressed.
QPushButton* silverButton(const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    colour(button, QPalette::Button, qColour(render::Silver));
    return button;
}

QPushButton* pictureButton(QWidget* parent, const QImage& glyph, QRect geometry, const QString& tip)
{
    QPushButton* button = silverButton(QString(), parent);
    button->setGeometry(geometry);
    button->setIcon(pictures::buttonGlyph(glyph));
    button->setIconSize(QSize(16, 16));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    hint(button, tip);
    return button;
}

QLabel* panel(QWidget* parent, const QString& text, const QFont& font, const QColor& ink, const QColor& ground,
              QRect geometry)
{
    QLabel* p = label(parent, text, font, ink);
    p->setAlignment(Qt::AlignCenter);
    p->setAutoFillBackground(true);
    colour(p, QPalette::Window, ground);
    p->setGeometry(geometry);
    p->hide();
    return p;
}

// The close question, centred on the screen. Both buttons take the action
// role: every desktop's button layout keeps such buttons in the order they
// were added, so it reads "OK" then "ｷｬﾝｾﾙ" everywhere (by role, a GNOME
// session would put ｷｬﾝｾﾙ first). Enter answers OK, Escape and the close
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

// Draws one image, unscaled, and nothing else: the view and the map. It
// reads the session's own pixels; holding a copy would make the next frame
// copy the whole bitmap before drawing on it.
class ImageView final : public QWidget {
public:
    ImageView(QSize size, QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(size);
    }
    void setImage(const QImage* image) { m_image = image; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        if (m_image)
            painter.drawImage(0, 0, *m_image);
        else
            painter.fillRect(rect(), qColour(render::Black));
    }

private:
    const QImage* m_image = nullptr;
};

// A fixed frame with a close box and neither minimise nor maximise.
TRivev::TRivev(Clock clock, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(QString::fromUtf8(MainTitle));
    setWindowIcon(QPixmap::fromImage(pictures::programIcon()));
    setFixedSize(ClientWidth, ClientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_background = paintDecorations();

    runModal = [](QDialog& dialog) { dialog.exec(); };
    confirmClose = [this] { return askToQuit(this); };
    m_session.beeper = [] { QApplication::beep(); };

    createControls();
    createMenus();
    FormCreate();

    if (clock == Clock::Real) {
        m_timer1.setTimerType(Qt::PreciseTimer);
        m_timer2.setTimerType(Qt::PreciseTimer);
        connect(&m_timer1, &QTimer::timeout, this, &TRivev::Timer1Timer);
        connect(&m_timer2, &QTimer::timeout, this, &TRivev::Timer2Timer);
        // The game decides when the countdown restarts; the timer follows.
        m_session.game.countdown.onRestart([this](unsigned ms) {
            if (ms == 0)
                m_timer2.stop();
            else
                m_timer2.start(int(ms));
        });
        m_timer1.start(int(game::TickPeriod));
    }
}

TRivev::~TRivev() = default;

void TRivev::setDialogs(TAboutBox* about, THelpDlg* help)
{
    m_about = about;
    m_help = help;
}

void TRivev::FormCreate()
{
    // Seeded from the clock, so every run draws its own maze and start.
    m_session.FormCreate(std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count()));
    m_view->setImage(&m_session.sceneBitmap());
    showState();
}

void TRivev::createControls()
{
    const QFont windowFont = gameFont(PGothicFace, 12);
    setFont(windowFont);
    colour(this, QPalette::Window, qColour(render::Silver));

    m_view = new ImageView(QSize(render::SceneSize, render::SceneSize), this);
    m_view->move(31, 31);
    m_view->setObjectName(QStringLiteral("View"));

    m_rightBtn = pictureButton(this, pictures::rightGlyph(), {141, 406, 40, 30}, QStringLiteral("右に向きます"));
    m_maeBtn = pictureButton(this, pictures::maeGlyph(), {81, 406, 40, 30}, QStringLiteral("正面に進みます"));
    m_leftBtn = pictureButton(this, pictures::leftGlyph(), {19, 406, 40, 30}, QStringLiteral("左に向きます"));
    m_rightBtn->setObjectName(QStringLiteral("RightBtn"));
    m_maeBtn->setObjectName(QStringLiteral("MaeBtn"));
    m_leftBtn->setObjectName(QStringLiteral("LeftBtn"));
    connect(m_rightBtn, &QPushButton::clicked, this, &TRivev::RightBtnClick);
    connect(m_maeBtn, &QPushButton::clicked, this, &TRivev::MaeBtnClick);
    connect(m_leftBtn, &QPushButton::clicked, this, &TRivev::LeftBtnClick);
    m_maeBtn->installEventFilter(this);  // any button's release resets the map pen

    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(442, 16, 32, 32);
    m_image1->setPixmap(QPixmap::fromImage(pictures::programIcon()));
    m_image1->setScaledContents(true);
    hint(m_image1, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    m_image1->installEventFilter(this);

    m_timeEdit = new QLineEdit(QStringLiteral("300"), this);
    m_timeEdit->setObjectName(QStringLiteral("TimeEdit"));
    m_timeEdit->setGeometry(440, 142, 37, 19);
    m_timeEdit->setReadOnly(true);
    m_timeEdit->setFocusPolicy(Qt::NoFocus);
    m_timeEdit->setFrame(false);
    m_timeEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_timeEdit->setFont(gameFont(GothicFace, 17, true));
    m_timeEdit->setTextMargins(0, 0, 0, 0);
    m_timeEdit->setCursor(Qt::ArrowCursor);
    m_timeEdit->setContextMenuPolicy(Qt::NoContextMenu);
    colour(m_timeEdit, QPalette::Base, qColour(render::White));
    colour(m_timeEdit, QPalette::Text, qColour(render::Black));
    m_timeEdit->setAccessibleName(QStringLiteral("残り時間"));

    auto* image3 = new QLabel(this);
    image3->setObjectName(QStringLiteral("Image3"));
    image3->setGeometry(395, 161, 17, 20);
    image3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image3->setPixmap(QPixmap::fromImage(pictures::northArrow().copy(0, 0, 17, 16)));

    m_map = new ImageView(m_session.mapImage().size(), this);
    m_map->setImage(&m_session.mapImage());
    m_map->move(398, 184);
    m_map->setObjectName(QStringLiteral("Image2"));

    m_label4 = label(this, QString(), windowFont, qColour(render::Black));
    m_label4->setObjectName(QStringLiteral("Label4"));
    m_label4->move(397, 356);

    m_label5 = label(this, QStringLiteral("?"), gameFont(TimesFace, 32, true), qColour(render::Red));
    m_label5->setObjectName(QStringLiteral("Label5"));
    m_label5->setGeometry(196, 400, 16, 36);
    hint(m_label5, QStringLiteral("現在地・右ｸﾘｯｸでﾍﾙﾌﾟ"));
    m_label5->installEventFilter(this);

    m_label1 = label(this, QStringLiteral("Exit"), gameFont(MsSerifFace, 24, true, true), qColour(render::Yellow));
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(428, 406, 58, 27);
    m_label1->setAutoFillBackground(true);
    colour(m_label1, QPalette::Window, qColour(render::Black));
    m_label1->setAccessibleName(QStringLiteral("Exit"));
    m_label1->installEventFilter(this);

    m_label2 = label(this, QString(), windowFont, qColour(render::Black));
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->move(500, 413);

    m_button1 = silverButton(QStringLiteral("Redo"), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setGeometry(229, 406, 65, 30);
    m_button1->setFont(gameFont(MsSerifFace, 19, true, true));
    colour(m_button1, QPalette::ButtonText, qColour(render::White));
    hint(m_button1, QStringLiteral("終了地点から再ｽﾀｰﾄ・右クリックで時間の設定"));
    connect(m_button1, &QPushButton::clicked, this, &TRivev::Button1Click);

    m_panel1 = panel(this, QStringLiteral("You are trapped!"), gameFont(MsSerifFace, 19, true), qColour(render::White), qColour(render::Black),
                     {95, 174, 198, 41});
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel2 = panel(this, QStringLiteral("Congratulation!"), gameFont(MsSerifFace, 20, true),
                     qColour(render::Yellow), qColour(render::Navy), {102, 46, 185, 41});
    m_panel2->setObjectName(QStringLiteral("Panel2"));

    m_button3 = silverButton(QStringLiteral("Start"), this);
    m_button3->setObjectName(QStringLiteral("Button3"));
    m_button3->setGeometry(305, 406, 66, 30);
    m_button3->setFont(gameFont(MsSerifFace, 20, true, true));
    m_button3->setDefault(true);
    hint(m_button3, QStringLiteral("右ｸﾘｯｸでﾏｯﾌﾟの選択"));
    connect(m_button3, &QPushButton::clicked, this, &TRivev::Button3Click);

    // Start and Redo are the only stops of the Tab key; Enter presses the
    // one that has the focus, Start from the outset. Only Tab and a left
    // press move the focus: a right click just opens the button's menu, so
    // Enter after choosing "240秒" still starts (eventFilter).
    for (QPushButton* button : {m_button3, m_button1}) {
        button->setAutoDefault(true);
        button->setFocusPolicy(Qt::TabFocus);
        button->installEventFilter(this);
    }
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
    // A right click opens the button's menu and does not press the button.
    const auto attach = [this](QPushButton* button, QMenu* menu) {
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QWidget::customContextMenuRequested, this,
                [button, menu](const QPoint& at) { menu->exec(button->mapToGlobal(at)); });
    };
    attach(m_button3, m_popupMenu1);
    attach(m_button1, m_popupMenu2);
}

// Puts what the rules wrote on the window's controls; unchanged controls
// are left alone so that a tick repaints only what changed.
void TRivev::showState()
{
    const game::WindowTexts& w = m_session.game.window;
    const QString time = QString::fromStdString(w.timeEdit);
    if (m_timeEdit->text() != time)
        m_timeEdit->setText(time);
    const auto setCaption = [](QLabel* label, const std::string& text) {
        const QString caption = QString::fromStdString(text);
        if (label->text() == caption)
            return;
        label->setText(caption);
        label->adjustSize();  // sized to its text
    };
    setCaption(m_label2, w.label2);
    setCaption(m_label4, w.label4);
    m_panel1->setVisible(w.panel1Visible);
    m_panel2->setVisible(w.panel2Visible);
    if (m_session.mapImage().cacheKey() != m_mapKey) {
        m_mapKey = m_session.mapImage().cacheKey();
        m_map->update();
    }
}

void TRivev::Timer1Timer()
{
    if (!m_session.hasSceneBitmap())
        return;
    m_session.Timer1Timer();
    m_view->update();
    showState();
    emit frameShown();
}

void TRivev::Timer2Timer()
{
    m_session.game.Timer2Timer();
    showState();
    emit countdownStepped();
}

void TRivev::MaeBtnClick()
{
    m_session.game.MaeBtnClick();
}

void TRivev::MaeBtnMouseUp()
{
    m_session.MaeBtnMouseUp();
}

void TRivev::LeftBtnClick()
{
    m_session.game.LeftBtnClick();
}

void TRivev::RightBtnClick()
{
    m_session.game.RightBtnClick();
}

void TRivev::Button3Click()
{
    m_session.game.Button3Click();
    showState();
}

void TRivev::Button1Click()
{
    m_session.game.Button1Click();
    showState();
}

void TRivev::mapClick(int maze)
{
    m_session.game.chooseMaze(maze);
    showState();
}

void TRivev::timeClick(int seconds)
{
    m_session.game.chooseTimeLimit(seconds);
}

void TRivev::Label5MouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton) {
        if (m_help)
            runModal(*m_help);
        return;
    }
    m_session.probePressed();
    showState();
}

void TRivev::Label5MouseUp()
{
    m_session.probeReleased();
    showState();
}

void TRivev::Image1Click()
{
    if (m_about)
        runModal(*m_about);
}

void TRivev::Label1Click()
{
    close();
}

void TRivev::FormActivate()
{
    if (m_help)
        runModal(*m_help);
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
    m_view->setImage(nullptr);
    m_session.FormClose();
}

void TRivev::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(event->rect(), m_background, event->rect());
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

bool TRivev::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const auto inside = [&](QWidget* w) { return w->rect().contains(mouse->position().toPoint()); };
    const bool left = mouse->button() == Qt::LeftButton;
    if (type == QEvent::MouseButtonPress) {
        if ((watched == m_button3 || watched == m_button1) && left)
            static_cast<QWidget*>(watched)->setFocus(Qt::MouseFocusReason);
        if (watched != m_label5)
            return QWidget::eventFilter(watched, event);
        Label5MouseDown(mouse->button());
        return true;
    }
    if (watched == m_maeBtn && inside(m_maeBtn))
        MaeBtnMouseUp();
    else if (watched == m_label5)
        Label5MouseUp();
    else if (watched == m_image1 && inside(m_image1) && left)
        Image1Click();
    else if (watched == m_label1 && inside(m_label1) && left)
        Label1Click();
    return QWidget::eventFilter(watched, event);
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
