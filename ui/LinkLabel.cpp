#include "ui/LinkLabel.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Where the words of a caption begin and end (one past their last character).
std::pair<qsizetype, qsizetype> WordSpan(const QString& caption) {
    qsizetype begin = 0, end = caption.size();
    while (begin < end && !caption[begin].isLetterOrNumber())
        ++begin;
    while (end > begin && !caption[end - 1].isLetterOrNumber())
        --end;
    return {begin, end};
}

}  // namespace

LinkLabel::LinkLabel(QWidget* parent, const char* name, const char* caption, std::string url)
    : QLabel(QString::fromUtf8(caption), parent), url_(std::move(url)) {
    setObjectName(name);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setForegroundRole(QPalette::Highlight);
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QString LinkLabel::Words(const QString& caption) {
    auto [begin, end] = WordSpan(caption);
    return caption.mid(begin, end - begin);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked(url_);
}

// The caption in three runs, the words underlined, what stands around them not.
void LinkLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    QFont plain = font();
    plain.setUnderline(false);
    const QString caption = text();
    auto [begin, end] = WordSpan(caption);
    const std::pair<QString, const QFont*> runs[] = {{caption.left(begin), &plain},
                                                     {caption.mid(begin, end - begin), &font()},
                                                     {caption.mid(end), &plain}};
    QRectF area = contentsRect();
    QPointF at(area.left(), area.top() + QFontMetricsF(font()).ascent());
    for (const auto& [run, runFont] : runs) {
        if (run.isEmpty())
            continue;
        painter.setFont(*runFont);
        painter.drawText(at, run);
        at.rx() += QFontMetricsF(*runFont).horizontalAdvance(run);
    }
}
