#pragma once

#include <QLabel>

#include <string>

// A label that acts as a web link: underlined, in the highlight colour, a hand pointer. A
// left click released over it emits clicked with its address.
class LinkLabel : public QLabel {
    Q_OBJECT

  public:
    LinkLabel(QWidget* parent, const char* name, const char* caption, std::string url);
    const std::string& Url() const { return url_; }

  Q_SIGNALS:
    void clicked(const std::string& url);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    std::string url_;
};
