// The text of the help dialog, laid out by hand: every line ends with a line
// break and is short enough for the dialog's text box, which never wraps.
#pragma once

#include <QString>
#include <QStringList>

namespace ui {

QStringList helpLines();  // the lines, without their line breaks
QString helpText();       // the lines, each ending with a line break

} // namespace ui
