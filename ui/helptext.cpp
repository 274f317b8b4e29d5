#include "helptext.h"

#include "play/texts.h"

namespace ui {

QStringList helpLines()
{
    QStringList lines;
    for (std::string_view line : play::HelpLines)
        lines += QString::fromUtf8(line);
    return lines;
}

QString helpText()
{
    QString text;
    for (const QString& line : helpLines())
        text += line + QLatin1Char('\n');
    return text;
}

} // namespace ui
