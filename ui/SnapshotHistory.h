// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/SnapshotDelta.h"

#include <QAction>
#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>

namespace ui {

// The undo history of one document. Before a command the document is encoded, after it again;
// the difference of the two is one step. Undo and Redo decode the bytes of the step's other side,
// so they give the document back exactly as its encoder writes it, whatever the command touched.
// Bounded: the newest kMaxSteps steps, and no more than kMaxBytes of kept bytes, the oldest
// steps going first. The stack's clean state is the state last saved.
class SnapshotHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxSteps = 100;
    static constexpr std::size_t kMaxBytes = std::size_t{32} * 1024 * 1024;

    // The document's bytes as they stand.
    using Capture = std::function<std::string()>;
    // Makes the document what the bytes say, and has its views show it.
    using Restore = std::function<void(const std::string& snapshot)>;

    SnapshotHistory(Capture capture, Restore restore, QObject* parent = nullptr);
    // The stack says nothing as it goes: the document it would report on may be gone already.
    ~SnapshotHistory() override { m_stack->blockSignals(true); }

    QUndoStack& stack() const { return *m_stack; }

    // Runs `change`, which returns whatever it likes; when the document's bytes differ afterwards
    // the change is one step named `text`. A change run while another is recorded belongs to it.
    template <typename Change> auto record(const QString& text, Change&& change) -> decltype(change()) {
        if (m_recording) {
            return change();
        }
        const std::string before = m_capture();
        m_recording = true;
        const Finish finish{*this, text, before};
        return change();
    }

    // The document was saved: an undo back to here makes it unmodified again.
    void markSaved() { m_stack->setClean(); }
    // A new or another document: nothing before it can be undone.
    void forget() { m_stack->clear(); }
    // The bytes every step keeps, together.
    std::size_t memoryUsed() const;

private:
    class Step;
    // Ends a recording however the change left: the step is taken when the bytes differ.
    struct Finish {
        SnapshotHistory& history;
        const QString& text;
        const std::string& before;
        ~Finish() { history.finish(text, before); }
    };

    void finish(const QString& text, const std::string& before);
    void apply(const SnapshotDelta& delta, bool backward);
    // Drops the oldest steps until the kept bytes fit kMaxBytes.
    void trim();

    Capture m_capture;
    Restore m_restore;
    QUndoStack* m_stack;
    bool m_recording = false;
};

// The Undo and Redo menu texts for a step's name: "&Undo " + what, or "&Undo" alone.
QString undoText(const QString& what);
QString redoText(const QString& what);

// Keeps the Undo and Redo commands with a history (a QUndoStack, or a QUndoGroup that follows
// the active document): their texts, enabled exactly while there is something to undo or redo,
// and triggering them undoes or redoes.
template <typename History> void followHistory(History* history, QAction* undo, QAction* redo) {
    QObject::connect(history, &History::canUndoChanged, undo, &QAction::setEnabled);
    QObject::connect(history, &History::canRedoChanged, redo, &QAction::setEnabled);
    QObject::connect(history, &History::undoTextChanged, undo,
                     [undo](const QString& what) { undo->setText(undoText(what)); });
    QObject::connect(history, &History::redoTextChanged, redo,
                     [redo](const QString& what) { redo->setText(redoText(what)); });
    QObject::connect(undo, &QAction::triggered, history, &History::undo);
    QObject::connect(redo, &QAction::triggered, history, &History::redo);
    undo->setEnabled(history->canUndo());
    redo->setEnabled(history->canRedo());
    undo->setText(undoText(history->undoText()));
    redo->setText(redoText(history->redoText()));
}

} // namespace ui
