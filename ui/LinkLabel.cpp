#include "ui/LinkLabel.h"

#include <QMouseEvent>

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

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked(url_);
}
