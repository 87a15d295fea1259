#include "board/undo_stack.h"

bool UndoStack::push(const BoardSnapshot& snapshot) {
    if (full()) return false;
    snapshots_.push_back(snapshot);
    return true;
}

bool UndoStack::pop(BoardSnapshot& out) {
    if (snapshots_.empty()) return false;
    out = snapshots_.back();
    snapshots_.pop_back();
    return true;
}

void UndoStack::dropNewest() {
    if (!snapshots_.empty()) snapshots_.pop_back();
}
