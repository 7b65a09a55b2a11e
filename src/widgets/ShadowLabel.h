#pragma once

#include <QColor>
#include <QWidget>

namespace pomrola {

// A transparent label that draws its text twice: first in the shadow colour,
// shifted by the shadow offset, then in the text colour at its place.
class ShadowLabel : public QWidget {
    Q_OBJECT
public:
    explicit ShadowLabel(const QString& text = QString(), QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    void setTextColour(const QColor& colour);
    void setShadow(const QColor& colour, QPoint offset);  // offset (0, 0): no shadow
    void setAlignment(Qt::Alignment alignment);
    void setWordWrap(bool on);

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int textFlags() const;

    QString text_;
    QColor textColour_ = Qt::black;
    QColor shadowColour_ = Qt::gray;
    QPoint shadowOffset_{-1, -1};
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap_ = false;
};

}  // namespace pomrola
