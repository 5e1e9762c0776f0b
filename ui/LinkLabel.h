#pragma once

#include <QLabel>

#include <string>

// A label that acts as a web link: underlined, in the highlight colour, a hand pointer. A
// left click released over it emits clicked with its address. The underline runs under the
// words of the caption only, not under a closing full stop or blank.
class LinkLabel : public QLabel {
    Q_OBJECT

  public:
    LinkLabel(QWidget* parent, const char* name, const char* caption, std::string url);
    const std::string& Url() const { return url_; }
    // The underlined part of a caption: from its first to its last letter or digit.
    static QString Words(const QString& caption);

  Q_SIGNALS:
    void clicked(const std::string& url);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    std::string url_;
};
