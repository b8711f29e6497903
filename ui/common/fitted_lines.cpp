#include "ui/common/fitted_lines.h"

#include <QLabel>

namespace ui {

namespace {

QString LinesHtml(const QStringList& lines, int lineHeightPercent) {
    QString html;
    for (const QString& line : lines) {
        html += QStringLiteral("<p style=\"margin:0; line-height:%1%\">%2</p>")
                    .arg(lineHeightPercent)
                    .arg(line.toHtmlEscaped());
    }
    return html;
}

}  // namespace

void ShowFittedLines(QLabel* label, const QStringList& lines) {
    label->setTextFormat(Qt::RichText);
    // Qt's own layout is the measure: close the lines up step by step until
    // they fit, but never so far that they would run into each other.
    for (int percent = 100; percent >= 75; --percent) {
        label->setText(LinesHtml(lines, percent));
        if (label->heightForWidth(label->width()) <= label->height()) return;
    }
}

}  // namespace ui
