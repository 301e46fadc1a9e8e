// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SnapshotHistory.h"

#include <QTimer>
#include <QtGlobal>

#include <utility>
#include <vector>

namespace ui {

class SnapshotHistory::Step : public QUndoCommand {
public:
    Step(SnapshotHistory& history, const QString& text, std::shared_ptr<const SnapshotDelta> delta)
        : QUndoCommand(text), m_history(history), m_delta(std::move(delta)) {}

    void undo() override { m_history.apply(*m_delta, true); }
    void redo() override {
        // The stack redoes a step as it takes it; the command itself has done it already.
        if (m_taken) {
            m_history.apply(*m_delta, false);
        }
        m_taken = true;
    }

    const std::shared_ptr<const SnapshotDelta>& delta() const { return m_delta; }

private:
    SnapshotHistory& m_history;
    std::shared_ptr<const SnapshotDelta> m_delta;
    bool m_taken = false;
};

SnapshotHistory::SnapshotHistory(Capture capture, Restore restore, QObject* parent)
    : QObject(parent), m_capture(std::move(capture)), m_restore(std::move(restore)), m_stack(new QUndoStack(this)) {
    m_stack->setUndoLimit(kMaxSteps);
}

void SnapshotHistory::finish(const QString& text, const std::string& before) {
    m_recording = false;
    auto delta = std::make_shared<const SnapshotDelta>(SnapshotDelta::between(before, m_capture()));
    if (delta->changesNothing()) {
        return;
    }
    m_stack->push(new Step(*this, text, std::move(delta)));
    trim();
}

void SnapshotHistory::apply(const SnapshotDelta& delta, bool backward) {
    const std::string current = m_capture();
    const std::optional<std::string> wanted = backward ? delta.before(current) : delta.after(current);
    if (!wanted) {
        // Something changed the document outside the history: its steps no longer fit, and applying
        // them would make a document nobody wrote. They are dropped once the stack is done.
        qWarning("The undo history no longer fits the document; it is cleared.");
        QTimer::singleShot(0, m_stack, &QUndoStack::clear);
        return;
    }
    m_restore(*wanted);
}

std::size_t SnapshotHistory::memoryUsed() const {
    std::size_t total = 0;
    for (int index = 0; index < m_stack->count(); ++index) {
        if (const auto* step = dynamic_cast<const Step*>(m_stack->command(index))) {
            total += step->delta()->memoryUsed();
        }
    }
    return total;
}

void SnapshotHistory::trim() {
    std::size_t total = memoryUsed();
    if (total <= kMaxBytes) {
        return;
    }
    // The stack drops old steps only by number: the steps kept are put on again, already done.
    std::vector<std::pair<QString, std::shared_ptr<const SnapshotDelta>>> steps;
    for (int index = 0; index < m_stack->count(); ++index) {
        const auto* step = static_cast<const Step*>(m_stack->command(index));
        steps.emplace_back(step->text(), step->delta());
    }
    const int count = static_cast<int>(steps.size());
    int first = 0;
    // The newest step stays, whatever its size: the last command can always be undone.
    while (first < count - 1 && total > kMaxBytes) {
        total -= steps[static_cast<std::size_t>(first)].second->memoryUsed();
        ++first;
    }
    const int clean = m_stack->cleanIndex();
    m_stack->clear();
    for (int index = first; index < count; ++index) {
        if (index == clean) {
            m_stack->setClean();
        }
        auto& [text, delta] = steps[static_cast<std::size_t>(index)];
        m_stack->push(new Step(*this, text, delta));
    }
    if (clean == count) {
        m_stack->setClean();
    } else if (clean < first) {
        m_stack->resetClean();
    }
}

namespace {
// A step's name is shown as it is: an ampersand in it is no mnemonic.
QString withCommand(const char* command, const QString& what) {
    QString text = QString::fromLatin1(command);
    if (!what.isEmpty()) {
        text += QLatin1Char(' ') + QString(what).replace(QLatin1Char('&'), QLatin1String("&&"));
    }
    return text;
}
} // namespace

QString undoText(const QString& what) {
    return withCommand("&Undo", what);
}

QString redoText(const QString& what) {
    return withCommand("&Redo", what);
}

} // namespace ui
