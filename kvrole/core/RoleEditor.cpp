// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/RoleEditor.h"

#include <algorithm>

namespace kvrole {

ItemRef ItemRef::fromValue(int value) {
    if (value < 0) {
        return competency(-value - 1);
    }
    if (value > 0) {
        return behaviour(value - 1);
    }
    return root();
}

int ItemRef::value() const {
    switch (kind) {
    case Kind::Competency:
        return -(index + 1);
    case Kind::Behaviour:
        return index + 1;
    case Kind::Root:
        break;
    }
    return 0;
}

namespace editing {

int firstBehaviourFrom(const CPavexFramework& framework, int competency) {
    const auto& list = framework.behaviours;
    const auto found = std::find_if(list.begin(), list.end(),
                                    [competency](const CBehaviour& b) { return b.competency >= competency; });
    return static_cast<int>(found - list.begin());
}

int endOfCompetency(const CPavexFramework& framework, int competency) {
    return firstBehaviourFrom(framework, competency + 1);
}

int behaviourCountOf(const CPavexFramework& framework, int competency) {
    return static_cast<int>(std::count_if(framework.behaviours.begin(), framework.behaviours.end(),
                                          [competency](const CBehaviour& b) { return b.competency == competency; }));
}

void insertCompetency(CPavexFramework& framework, int position, std::string name) {
    for (CBehaviour& behaviour : framework.behaviours) {
        if (behaviour.competency >= position) {
            ++behaviour.competency;
        }
    }
    framework.competencies.insert(framework.competencies.begin() + position, CCompetency{std::move(name), {}});
}

void insertBehaviour(CPavexFramework& framework, int position, int competency, std::string statement) {
    CBehaviour behaviour;
    behaviour.statement = std::move(statement);
    behaviour.competency = competency;
    framework.behaviours.insert(framework.behaviours.begin() + position, std::move(behaviour));
}

void removeCompetency(CPavexFramework& framework, int competency) {
    auto& list = framework.behaviours;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [competency](const CBehaviour& b) { return b.competency == competency; }),
               list.end());
    for (CBehaviour& behaviour : list) {
        if (behaviour.competency > competency) {
            --behaviour.competency;
        }
    }
    framework.competencies.erase(framework.competencies.begin() + competency);
}

void removeBehaviour(CPavexFramework& framework, int index) {
    framework.behaviours.erase(framework.behaviours.begin() + index);
}

void removeAll(CPavexFramework& framework) {
    framework.competencies.clear();
    framework.behaviours.clear();
}

int removeCompetenciesWithBehaviours(CPavexFramework& framework) {
    int kept = 0;
    for (int competency = static_cast<int>(framework.competencies.size()) - 1; competency >= 0; --competency) {
        if (behaviourCountOf(framework, competency) > 0) {
            removeCompetency(framework, competency);
        } else {
            ++kept;
        }
    }
    return kept;
}

int moveBehaviour(CPavexFramework& framework, int index, int competency) {
    CBehaviour behaviour = framework.behaviours[static_cast<std::size_t>(index)];
    behaviour.competency = competency;
    removeBehaviour(framework, index);
    const int position = endOfCompetency(framework, competency);
    framework.behaviours.insert(framework.behaviours.begin() + position, std::move(behaviour));
    return position;
}

void restoreOrder(CPavexFramework& framework) {
    std::stable_sort(framework.behaviours.begin(), framework.behaviours.end(),
                     [](const CBehaviour& a, const CBehaviour& b) { return a.competency < b.competency; });
}

bool isOrdered(const CPavexFramework& framework) {
    const int competencies = static_cast<int>(framework.competencies.size());
    int previous = 0;
    for (const CBehaviour& behaviour : framework.behaviours) {
        if (behaviour.competency < previous || behaviour.competency >= competencies) {
            return false;
        }
        previous = behaviour.competency;
    }
    return true;
}

std::string orderFault(const CPavexFramework& framework) {
    const int competencies = static_cast<int>(framework.competencies.size());
    int previous = 0;
    for (const CBehaviour& behaviour : framework.behaviours) {
        if (behaviour.competency < 0 || behaviour.competency >= competencies) {
            return "a behaviour belongs to a competency that the role does not have";
        }
        if (behaviour.competency < previous) {
            return "its behaviours are not grouped by competency in the competencies' order";
        }
        previous = behaviour.competency;
    }
    return {};
}

} // namespace editing

std::optional<int> RoleEditor::newCompetency(ItemRef selected) {
    CPavexFramework& framework = m_role.framework;
    if (framework.competencies.size() >= static_cast<std::size_t>(kMaxCompetencies)) {
        m_prompts.message(kTooManyCompetencies);
        return std::nullopt;
    }
    int position = 0;
    if (selected.kind == ItemRef::Kind::Competency) {
        position = selected.index + 1;
    } else if (selected.kind == ItemRef::Kind::Behaviour) {
        position = framework.behaviours[static_cast<std::size_t>(selected.index)].competency + 1;
    }
    editing::insertCompetency(framework, position, {});
    return position;
}

std::optional<int> RoleEditor::newBehaviour(ItemRef selected) {
    CPavexFramework& framework = m_role.framework;
    if (framework.behaviours.size() >= static_cast<std::size_t>(kMaxEditorBehaviours)) {
        m_prompts.message(kTooManyBehaviours);
        return std::nullopt;
    }
    switch (selected.kind) {
    case ItemRef::Kind::Competency: {
        const int position = editing::firstBehaviourFrom(framework, selected.index);
        editing::insertBehaviour(framework, position, selected.index, {});
        return position;
    }
    case ItemRef::Kind::Behaviour: {
        const int competency = framework.behaviours[static_cast<std::size_t>(selected.index)].competency;
        editing::insertBehaviour(framework, selected.index + 1, competency, {});
        return selected.index + 1;
    }
    case ItemRef::Kind::Root:
        break;
    }
    return std::nullopt;
}

const std::string& RoleEditor::textOf(ItemRef item) const {
    switch (item.kind) {
    case ItemRef::Kind::Competency:
        return m_role.framework.competencies[static_cast<std::size_t>(item.index)].name;
    case ItemRef::Kind::Behaviour:
        return m_role.framework.behaviours[static_cast<std::size_t>(item.index)].statement;
    case ItemRef::Kind::Root:
        break;
    }
    return m_role.name;
}

void RoleEditor::rename(ItemRef item, std::string text) {
    switch (item.kind) {
    case ItemRef::Kind::Competency:
        m_role.framework.competencies[static_cast<std::size_t>(item.index)].name = std::move(text);
        break;
    case ItemRef::Kind::Behaviour:
        m_role.framework.behaviours[static_cast<std::size_t>(item.index)].statement = std::move(text);
        break;
    case ItemRef::Kind::Root:
        m_role.name = std::move(text);
        break;
    }
}

std::string RoleEditor::deleteQuestion(ItemRef item) const {
    const std::string& text = textOf(item);
    switch (item.kind) {
    case ItemRef::Kind::Competency:
        return "Are you sure you want to delete the competency '" + text + "' and its behaviours?";
    case ItemRef::Kind::Behaviour:
        return "Are you sure you want to delete the behaviour '" + text + "'?";
    case ItemRef::Kind::Root:
        break;
    }
    return "Are you sure you want to delete all competencies and all behaviours for the role '" + text + "'?";
}

bool RoleEditor::remove(ItemRef item, bool confirm) {
    if (confirm && !m_prompts.question(deleteQuestion(item))) {
        return false;
    }
    switch (item.kind) {
    case ItemRef::Kind::Competency:
        editing::removeCompetency(m_role.framework, item.index);
        break;
    case ItemRef::Kind::Behaviour:
        editing::removeBehaviour(m_role.framework, item.index);
        break;
    case ItemRef::Kind::Root:
        editing::removeAll(m_role.framework);
        break;
    }
    return true;
}

TreeCommand commandForKey(TreeKey key, ItemRef::Kind selected) {
    const bool root = selected == ItemRef::Kind::Root;
    switch (key) {
    case TreeKey::Tab:
    case TreeKey::Right:
        return root ? TreeCommand::NewCompetency : TreeCommand::NewBehaviour;
    case TreeKey::Return:
    case TreeKey::Insert:
        return selected == ItemRef::Kind::Behaviour ? TreeCommand::NewBehaviour : TreeCommand::NewCompetency;
    case TreeKey::Delete:
        return root ? TreeCommand::None : TreeCommand::Delete;
    }
    return TreeCommand::None;
}

} // namespace kvrole
