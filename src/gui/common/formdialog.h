#pragma once

#include "common/dialogtemplate.h"

#include <QDialog>
#include <QHash>
#include <QList>

#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

// A dialog built from its template table. It places the controls
// in dialog units of its font, looks them up by ID, moves members to and
// from number boxes, and turns Enter (the keypad's too) into Tab except on
// the push buttons that Enter is to press. Read-only boxes look disabled, a
// list turns under the wheel only with the focus, and lists are named by
// their labels for screen readers.
class CFormDialog : public QDialog
{
    Q_OBJECT

public:
    CFormDialog(const DialogSpec& dialog, QWidget* parent);

    QWidget* control(int id) const { return m_controls.value(id); }
    QLineEdit* edit(int id) const;
    QComboBox* dropList(int id) const;
    QPushButton* button(int id) const;

    // Dialog units to pixels for this dialog's font.
    QRect mapDialogRect(int x, int y, int w, int h) const;

    // Moves the members into the boxes (false) or the boxes into the members
    // (true). Reading stops at the first box that holds no number: the user
    // is told so (NotANumberMessage), that box gets the focus with its text
    // selected, and false comes back. A disabled or hidden box is not read;
    // it shows its member again when it goes out of reach.
    bool UpdateData(bool saveAndValidate);

protected:
    // Number boxes and their members, in the order they are exchanged.
    void bindDouble(int id, double* member);
    void bindFloat(int id, float* member);
    void bindInt(int id, int* member);
    // Puts the focus in a box with its text selected, as after a refusal.
    void focusBox(QLineEdit* box);
    // Enter presses these buttons and moves the focus everywhere else.
    void setEnterButtons(const QList<int>& ids) { m_enterButtons = ids; }
    // Centres the dialog over the main window.
    void centreOverOwner();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        int id;
        double* d = nullptr;
        float* f = nullptr;
        int* n = nullptr;
    };
    QWidget* create(const ControlSpec& c);
    void showHeld(const Binding& b);
    bool reachable(const QWidget* box) const;

    QHash<int, QWidget*> m_controls;
    QList<Binding> m_bindings;
    QList<int> m_enterButtons;
    int m_baseX = 0; // average character width, pixels
    int m_baseY = 0; // character height, pixels
};
