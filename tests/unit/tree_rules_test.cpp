#include "check_state_print.hpp"
#include "components/check_rules.hpp"
#include "components/component_tree.hpp"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using namespace parcelkit;
using components::CheckState;
using components::ComponentTree;
constexpr auto U = CheckState::Unchecked;
constexpr auto C = CheckState::Checked;
constexpr auto P = CheckState::Partly;
constexpr auto M = CheckState::Mandatory;

namespace {

// Records every event; refuses changes of the listed nodes.
struct RecordingEvents : components::StateEvents {
    std::vector<std::pair<std::size_t, CheckState>> changed;
    std::set<std::size_t> refuse;
    int questions = 0;

    bool stateChanging(std::size_t node, CheckState) override {
        ++questions;
        return refuse.count(node) == 0;
    }
    void stateChanged(std::size_t node, CheckState state) override {
        changed.emplace_back(node, state);
    }
};

// 0 root { 1 a { 2 a1, 3 a2 }, 4 b }, 5 other; states given in absolute order.
ComponentTree sampleTree(std::vector<CheckState> states) {
    ComponentTree tree;
    tree.assign({{L"root", {{L"a", {{L"a1", {}}, {L"a2", {}}}}, {L"b", {}}}}, {L"other", {}}});
    for (std::size_t i = 0; i < states.size(); ++i) {
        tree.putState(i, states[i]);
    }
    return tree;
}

std::vector<CheckState> states(const ComponentTree& tree) {
    std::vector<CheckState> all;
    for (std::size_t i = 0; i < tree.count(); ++i) {
        all.push_back(tree.state(i));
    }
    return all;
}

} // namespace

TEST(TreeModel, NumbersDepthFirstAndFindsTitles) {
    ComponentTree tree = sampleTree({});
    EXPECT_EQ(tree.node(3).parent, 1u);
    EXPECT_EQ(tree.descendants(0), (std::vector<std::size_t>{1, 2, 3, 4}));
    EXPECT_EQ(tree.descendants(1), (std::vector<std::size_t>{2, 3}));
    EXPECT_TRUE(tree.descendants(4).empty());
    tree.setText(2, L"Tools");
    tree.setText(4, L"Tools");
    tree.setText(5, L"tools");
    EXPECT_EQ(tree.firstWithTitle(4), 2u);
    EXPECT_EQ(tree.firstWithTitle(5), 5u); // exact comparison
    EXPECT_EQ(tree.allWithTitle(4), (std::vector<std::size_t>{2, 4}));
}

TEST(TreeModel, OnlyCheckedOrMandatoryLeavesAreInstalled) {
    const ComponentTree tree = sampleTree({C, C, C, M, P, CheckState::Unset});
    const std::vector<bool> chosen{false, false, true, true, false, false};
    for (std::size_t i = 0; i < tree.count(); ++i) {
        EXPECT_EQ(tree.chosenForInstall(i), chosen[i]) << i;
    }
}

TEST(TreeToggle, FollowsTheStateCycleAndSkipsMandatoryNodes) {
    const std::pair<CheckState, CheckState> cycle[] = {
        {CheckState::Unset, C}, {C, U}, {U, C}, {P, C}, {M, M}};
    for (const auto& [from, to] : cycle) {
        ComponentTree tree = sampleTree({U, U, U, U, U, from});
        RecordingEvents events;
        components::toggleCheckState(tree, 5, events);
        EXPECT_EQ(tree.state(5), to) << static_cast<int>(from);
        EXPECT_EQ(events.questions, from == M ? 0 : 1);
    }
}

TEST(TreeCascade, CheckingAParentChecksDescendantsThenRecomputesAncestors) {
    ComponentTree tree = sampleTree({U, U, M, U, U, U});
    RecordingEvents events;
    components::setCheckState(tree, 1, C, events);
    // A child without a check box gains one; the root sees checked and unchecked children.
    EXPECT_EQ(events.changed,
              (std::vector<std::pair<std::size_t, CheckState>>{{1, C}, {2, C}, {3, C}, {0, P}}));
    components::setCheckState(tree, 4, C, events);
    EXPECT_EQ(states(tree), (std::vector{C, C, C, C, C, U}));
    components::setCheckState(tree, 1, U, events);
    EXPECT_EQ(states(tree), (std::vector{P, U, U, U, C, U}));
}

TEST(TreeCascade, SameStateRaisesNothingAndCascadesNothing) {
    ComponentTree tree = sampleTree({U, C, U, U, U, U});
    RecordingEvents events;
    components::setCheckState(tree, 1, C, events);
    EXPECT_EQ(events.questions, 0);
    EXPECT_EQ(tree.state(2), U);
}

TEST(TreeCascade, RefusedDescendantStaysWhileItsParentStaysChecked) {
    ComponentTree tree = sampleTree({U, U, U, U, U, U});
    RecordingEvents events;
    events.refuse = {2};
    components::setCheckState(tree, 1, C, events);
    // The parent is not recomputed from its children; recomputation starts above it.
    EXPECT_EQ(states(tree), (std::vector{P, C, U, C, U, U}));

    ComponentTree below = sampleTree({U, U, U, U, U, U});
    events.refuse = {1}; // a refused descendant does not stop the cascade below it
    components::setCheckState(below, 0, C, events);
    EXPECT_EQ(states(below), (std::vector{C, U, C, C, C, U}));
}

TEST(TreeCascade, RefusedChangeKeepsTheChoicesBelowAndAbove) {
    ComponentTree tree = sampleTree({P, P, C, U, U, U});
    RecordingEvents events;
    events.refuse = {1};
    components::toggleCheckState(tree, 1, events);
    EXPECT_EQ(states(tree), (std::vector{P, P, C, U, U, U}));
    EXPECT_EQ(events.questions, 1);
}

TEST(TreeCascade, AncestorChangesGoThroughTheEventsAndCanBeRefused) {
    ComponentTree tree = sampleTree({U, U, U, U, U, U});
    RecordingEvents events;
    events.refuse = {0};
    components::setCheckState(tree, 4, C, events);
    EXPECT_EQ(states(tree), (std::vector{U, U, U, U, C, U}));
}

TEST(TreeRecompute, MandatoryAndUnsetChildrenCountForNeither) {
    ComponentTree tree = sampleTree({U, U, M, CheckState::Unset, U, U});
    EXPECT_EQ(components::stateFromChildren(tree, 1), U);
    tree.putState(3, C);
    EXPECT_EQ(components::stateFromChildren(tree, 1), C);
    tree.putState(2, U);
    EXPECT_EQ(components::stateFromChildren(tree, 1), P);
    tree.putState(1, P);
    tree.putState(4, C);
    EXPECT_EQ(components::stateFromChildren(tree, 0), P); // a partly checked child
}

TEST(TreeDirectStates, UncheckAllAndPaintingChangeStatesWithoutEvents) {
    ComponentTree tree = sampleTree({CheckState::Unset, C, M, CheckState::Unset, P, C});
    components::settleUnset(tree);
    EXPECT_EQ(states(tree), (std::vector{U, C, M, U, P, C}));
    components::uncheckAll(tree);
    EXPECT_EQ(states(tree), (std::vector{U, U, U, U, U, U}));
}
