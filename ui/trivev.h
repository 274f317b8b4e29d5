// The main window: the view, the movement buttons, Start and Redo with their
// menus, the count, the overview map and the rest of the panel. Its handlers
// play the game's actions, then show the state.
#pragma once

#include "play/layout.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

class QDialog;
class QLabel;
class QLineEdit;
class QMenu;

namespace ui {

class ImageView;
class MenuButton;

class TRivev : public QWidget {
    Q_OBJECT

public:
    // Real: the two timers run on the clock. Scripted: nothing fires by
    // itself; the scenario driver calls Timer1Timer and Timer2Timer.
    enum class Clock { Real, Scripted };

    explicit TRivev(Clock clock = Clock::Real, QWidget* parent = nullptr);
    ~TRivev() override;

    play::Playfield& playfield() { return m_playfield; }
    // Where the about box and the help come from. Each is made when it first
    // opens: most games never open the about box, and the window reaches the
    // screen sooner without them. A dialog not given never opens.
    using DialogMaker = std::function<QDialog*()>;
    void setDialogs(DialogMaker about, DialogMaker help);

    // Shows a dialog modally; tests and the driver may put their own here.
    std::function<void(QDialog&)> runModal;
    // Asks before closing; true lets the window close.
    std::function<bool()> confirmClose;

    // Plays one of the game's actions and shows what it changed.
    void perform(play::Act act, int argument = 0);
    // A mouse button pressed on a control wired so (play/layout.h).
    void pressOn(const play::Wiring& does, Qt::MouseButton button);

    // Handlers, named after the control and the event.
    void Timer1Timer();
    void Timer2Timer();
    void MaeBtnClick();
    void MaeBtnMouseUp();
    void LeftBtnClick();
    void RightBtnClick();
    void Button3Click();  // Start
    void Button1Click();  // Redo
    void mapClick(int maze);         // "map 0" .. "map 9"
    void timeClick(int seconds);     // "180秒" .. "360秒"
    void Label5MouseDown(Qt::MouseButton button);
    void Label5MouseUp();
    void Image1Click();
    void Label1Click();

    QMenu* popupMenu1() const { return m_popupMenu1; }
    QMenu* popupMenu2() const { return m_popupMenu2; }
    const QTimer& timer1() const { return m_timer1; }
    const QTimer& timer2() const { return m_timer2; }

signals:
    void frameShown();       // after every tick has put its frame on the window
    void countdownStepped(); // after every step of the countdown

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();
    void createControls();
    void createMenus();
    QMenu* createMenu(const char* name, const play::Control& carrier);
    void showState();

    play::Playfield m_playfield;
    QTimer m_timer1;
    QTimer m_timer2;
    bool m_activatedOnce = false;
    // What the controls show, to leave them alone on the ticks that change
    // nothing; the map by its count of drawings.
    struct Shown {
        int time;
        int maze;
        game::Notice notice;
        game::Panels panels;
        std::uint64_t mapDrawings;
        friend bool operator==(const Shown&, const Shown&) = default;
    };
    std::optional<Shown> m_shown;

    ImageView* m_view = nullptr;
    ImageView* m_map = nullptr;
    QLineEdit* m_timeEdit = nullptr;
    QLabel* m_label4 = nullptr;
    QLabel* m_label2 = nullptr;
    MenuButton* m_button1 = nullptr;
    MenuButton* m_button3 = nullptr;
    QLabel* m_panel1 = nullptr;
    QLabel* m_panel2 = nullptr;
    QMenu* m_popupMenu1 = nullptr;
    QMenu* m_popupMenu2 = nullptr;
    struct Dialog {
        DialogMaker make;
        QDialog* made = nullptr;
    };
    void open(Dialog& dialog);
    Dialog m_about, m_help;
};

} // namespace ui
