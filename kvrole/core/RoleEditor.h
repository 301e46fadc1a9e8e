// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Role.h"
#include "model/UserPrompts.h"

#include <optional>
#include <string>
#include <string_view>

namespace kvrole {

// A role made in the editor has at most this many behaviours, although a file may hold more: it is
// the most a questionnaire can answer.
inline constexpr int kMaxEditorBehaviours = kMaxResponses;

inline constexpr std::string_view kTooManyCompetencies = "You have reached the maximum number of competencies";
inline constexpr std::string_view kTooManyBehaviours = "You have reached the maximum number of behaviours";

// What a tree item stands for. Its value in the tree is 0 for the root, -(index + 1) for a
// competency and index + 1 for a behaviour, so that a single integer names it.
struct ItemRef {
    enum class Kind { Root, Competency, Behaviour };
    Kind kind = Kind::Root;
    int index = 0;

    static ItemRef root() { return {}; }
    static ItemRef competency(int index) { return {Kind::Competency, index}; }
    static ItemRef behaviour(int index) { return {Kind::Behaviour, index}; }
    static ItemRef fromValue(int value);
    int value() const;
    bool operator==(const ItemRef&) const = default;
};

// The structural changes of a role's lists. Each keeps the behaviours ordered by competency
// (the behaviours of one competency together, the groups in competency order).
namespace editing {

// The index of the first behaviour whose competency is `competency` or later.
int firstBehaviourFrom(const CPavexFramework& framework, int competency);
// One past the last behaviour of `competency`.
int endOfCompetency(const CPavexFramework& framework, int competency);
int behaviourCountOf(const CPavexFramework& framework, int competency);

// Behaviours of competency `position` and later move down one competency.
void insertCompetency(CPavexFramework& framework, int position, std::string name);
// A new behaviour as the editor makes it: scale 0, not marked, no description, no reserved text.
void insertBehaviour(CPavexFramework& framework, int position, int competency, std::string statement);
// Removes the competency with its behaviours; later competencies move up one place.
void removeCompetency(CPavexFramework& framework, int competency);
void removeBehaviour(CPavexFramework& framework, int index);
void removeAll(CPavexFramework& framework);
// What Cut takes from the root: every competency that has behaviours, with them. A competency
// without behaviours is not on the clipboard's text, so it stays. Returns how many stayed.
int removeCompetenciesWithBehaviours(CPavexFramework& framework);
// Moves the behaviour, with all its fields, to be the last one of `competency`; every other
// behaviour keeps its competency. Returns its new index.
int moveBehaviour(CPavexFramework& framework, int index, int competency);
// Restores the order by competency; behaviours of one competency keep their relative order.
void restoreOrder(CPavexFramework& framework);
// True when the behaviours are ordered by competency and every index is in range.
bool isOrdered(const CPavexFramework& framework);
// Why the role's lists cannot be edited, or empty when they can. The editor refuses such a role
// rather than reorder it: pages and requests made from the stored order would then be answered
// against other behaviours.
std::string orderFault(const CPavexFramework& framework);

} // namespace editing

// The role editor's commands on one role, without any widget: the tree view calls them and mirrors
// their effect in its items; the tests call them directly. Every message and question goes through
// the prompts.
class RoleEditor {
public:
    RoleEditor(CRole& role, UserPrompts& prompts) : m_role(role), m_prompts(prompts) {}

    // New Competency: the index of the new, unnamed competency, or nothing when the role is full.
    std::optional<int> newCompetency(ItemRef selected);
    // New Behaviour: the index of the new, empty behaviour; nothing on the root or when full.
    std::optional<int> newBehaviour(ItemRef selected);
    // Stores an edited label: the role name, a competency name or a behaviour statement.
    void rename(ItemRef item, std::string text);
    // Asks first when `confirm` is set; true when the item was deleted.
    bool remove(ItemRef item, bool confirm);
    // The question Delete asks about the item.
    std::string deleteQuestion(ItemRef item) const;
    // The text the item shows in the tree.
    const std::string& textOf(ItemRef item) const;

    const CRole& role() const { return m_role; }

private:
    CRole& m_role;
    UserPrompts& m_prompts;
};

// The commands the tree's keys post.
enum class TreeCommand { None, NewCompetency, NewBehaviour, Delete };
enum class TreeKey { Tab, Right, Return, Insert, Delete };
TreeCommand commandForKey(TreeKey key, ItemRef::Kind selected);

} // namespace kvrole
