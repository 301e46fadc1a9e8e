#pragma once

#include "DialogFlavour.h"

#include <QDialog>

#include <string>

class QAbstractButton;
class QButtonGroup;
class QLineEdit;
class QPushButton;

// Who is answering and in which relationship to the person being assessed.
class PreliminariesDialog : public QDialog {
    Q_OBJECT
public:
    // personLine: shown at the top in the reply program ("Person being assessed: ..."), may be empty.
    PreliminariesDialog(DialogFlavour flavour, const std::string& personLine, const DialogDecoration& decoration,
                        QWidget* parent = nullptr);

    std::string assessorName() const;
    int relationship() const; // -1 until a relationship is chosen

    QLineEdit* nameEdit() const { return m_name; }
    QPushButton* okButton() const { return m_ok; }
    QAbstractButton* relationshipButton(int relationship) const;

private:
    QLineEdit* m_name = nullptr;
    QButtonGroup* m_relationships = nullptr;
    QPushButton* m_ok = nullptr;
};
