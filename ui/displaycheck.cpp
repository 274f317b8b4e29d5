#include "displaycheck.h"

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ui {

namespace {

// One window system that Qt tried, and what went wrong with it.
struct Attempt {
    QString plugin;
    QStringList reasons;
};

QStringList pendingReasons;  // said before Qt names the plugin they belong to
QList<Attempt> attempts;

// The display a platform plugin connects to, as the player would name it.
QString displayTried(const QString& plugin)
{
    if (plugin == QLatin1String("xcb")) {
        const QString display = qEnvironmentVariable("DISPLAY");
        return display.isEmpty() ? QStringLiteral("an X display") : QStringLiteral("X display \"%1\"").arg(display);
    }
    if (plugin.startsWith(QLatin1String("wayland"))) {
        const QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
        return QStringLiteral("Wayland display \"%1\"").arg(display.isEmpty() ? QStringLiteral("wayland-0") : display);
    }
    return QStringLiteral("the \"%1\" platform").arg(plugin);
}

QString reasonFor(const Attempt& attempt)
{
    if (attempt.plugin == QLatin1String("xcb") && qEnvironmentVariableIsEmpty("DISPLAY"))
        return QStringLiteral("DISPLAY is not set");
    return attempt.reasons.isEmpty() ? QStringLiteral("it did not open") : attempt.reasons.join(QStringLiteral(", "));
}

void notePlatformMessage(QtMsgType type, const QString& message)
{
    // "Could not load the Qt platform plugin "xcb" in "" even though it was
    // found." closes the reasons said about xcb; "Could not find ..." means
    // the plugin is not installed at all.
    static const QRegularExpression plugin(QStringLiteral("^Could not (load|find) the Qt platform plugin \"([^\"]*)\""));
    const QRegularExpressionMatch match = plugin.match(message);
    if (!match.hasMatch()) {
        if (type == QtWarningMsg || type == QtCriticalMsg)
            pendingReasons.append(message.trimmed());
        return;
    }
    Attempt attempt{match.captured(2), {}};
    if (match.captured(1) == QLatin1String("find"))
        attempt.reasons.append(attempt.plugin.startsWith(QLatin1String("wayland"))
                                   ? QStringLiteral("the Qt Wayland plugin is not installed (package qt6-wayland)")
                                   : QStringLiteral("there is no such Qt platform plugin"));
    else
        attempt.reasons = pendingReasons;
    pendingReasons.clear();
    attempts.append(attempt);
}

[[noreturn]] void explainAndExit()
{
    QStringList tried;
    for (const Attempt& attempt : std::as_const(attempts))
        tried.append(displayTried(attempt.plugin) + QStringLiteral(": ") + reasonFor(attempt));
    if (tried.isEmpty())
        tried.append(QStringLiteral("any display: no Qt platform plugin started"));
    const QString line = QStringLiteral("vesmor: cannot open the game window on ") + tried.join(QStringLiteral("; nor on "));
    std::fprintf(stderr, "%s\n", qPrintable(line));
    std::_Exit(1);
}

void watchPlatformStart(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && (!attempts.isEmpty() || message.contains(QLatin1String("platform plugin"))))
        explainAndExit();
    // Qt's platform messages, and the C-library complaints of the Wayland
    // plugin, which carry no category, wait to see whether a window opens.
    const char* category = context.category;
    if (type != QtFatalMsg && (!category || std::strncmp(category, "qt.qpa", 6) == 0)) {
        notePlatformMessage(type, message);
        return;
    }
    std::fputs(qPrintable(qFormatLogMessage(type, context, message) + QLatin1Char('\n')), stderr);
    if (type == QtFatalMsg)
        std::abort();
}

} // namespace

void beginDisplayCheck()
{
    qInstallMessageHandler(watchPlatformStart);
}

void endDisplayCheck()
{
    qInstallMessageHandler(nullptr);
    pendingReasons.clear();
    attempts.clear();
}

} // namespace ui
