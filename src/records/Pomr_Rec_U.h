#pragma once

#include "RecordsFile.h"

#include <QDialog>

namespace pomrola {

class BevelPanel;
class OwnerDrawnList;

// The records window: names on the left, scores on the right, best first.
// It fills its lists on creation and whenever it is shown or activated.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(RecordsBook& records, QWidget* parent = nullptr);

    // Clears the lists, sorts the table and shows the entries before the first
    // empty one; LowestRecord becomes the last score shown, or 0.
    void FormCreate();

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Esc closes; every other key, Enter included, does nothing.
    void FormKeyPress(QKeyEvent* event);

    RecordsBook& records_;
    BevelPanel* Panel1 = nullptr;
    OwnerDrawnList* ListBox1 = nullptr;
    OwnerDrawnList* ListBox2 = nullptr;
};

}  // namespace pomrola
