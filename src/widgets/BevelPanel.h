#pragma once

#include <QWidget>

namespace pomrola {

// A panel with an optional fill and one-pixel outer and inner bevels.
class BevelPanel : public QWidget {
    Q_OBJECT
public:
    enum class Bevel { None, Lowered, Raised };

    explicit BevelPanel(QWidget* parent = nullptr);

    void setFill(const QColor& colour);  // an invalid colour: no fill
    void setBevels(Bevel outer, Bevel inner);
    int bevelWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
    Bevel outer_ = Bevel::None;
    Bevel inner_ = Bevel::None;
};

}  // namespace pomrola
