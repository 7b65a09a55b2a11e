#pragma once

#include <QStringList>
#include <QWidget>

namespace pomrola {

// A list box whose rows the window draws itself: fixed row height, the
// widget's background colour and font, text 2 pixels in from the left,
// vertically centred, with "&" as a mnemonic prefix. It stays readable when
// disabled.
class OwnerDrawnList : public QWidget {
    Q_OBJECT
public:
    explicit OwnerDrawnList(QWidget* parent = nullptr);

    void setColours(const QColor& background, const QColor& text);
    void setRowHeight(int pixels);
    void clear();
    void addItem(const QString& text);
    int count() const { return static_cast<int>(items_.size()); }
    const QStringList& items() const { return items_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList items_;
    QColor background_ = Qt::white;
    QColor text_ = Qt::black;
    int rowHeight_ = 18;
};

}  // namespace pomrola
