#include "grid/input/selection_store.h"

namespace lattix {

void SelectionStore::clear() {
    heads_.assign(kBuckets, 0);
    nodes_.assign(kInitialNodes, Node{});
    // Free list over nodes 1..n-1.
    for (int32_t i = 1; i < kInitialNodes - 1; ++i) nodes_[static_cast<size_t>(i)].next = i + 1;
    nodes_[kInitialNodes - 1].next = 0;
    freeHead_ = 1;
    count_ = 0;
}

int32_t SelectionStore::takeNode() {
    if (freeHead_ == 0) {
        int32_t first = static_cast<int32_t>(nodes_.size());
        nodes_.resize(nodes_.size() + kGrowNodes);
        for (int32_t i = first; i < first + kGrowNodes - 1; ++i) nodes_[static_cast<size_t>(i)].next = i + 1;
        nodes_.back().next = 0;
        freeHead_ = first;
    }
    int32_t n = freeHead_;
    freeHead_ = nodes_[static_cast<size_t>(n)].next;
    return n;
}

bool SelectionStore::contains(int32_t row, int32_t col) const {
    for (int32_t n = heads_[static_cast<size_t>(bucketOf(row, col))]; n; n = nodes_[static_cast<size_t>(n)].next)
        if (nodes_[static_cast<size_t>(n)].row == row && nodes_[static_cast<size_t>(n)].col == col) return true;
    return false;
}

bool SelectionStore::add(int32_t row, int32_t col) {
    int32_t b = bucketOf(row, col);
    int32_t last = 0;
    for (int32_t n = heads_[static_cast<size_t>(b)]; n; n = nodes_[static_cast<size_t>(n)].next) {
        if (nodes_[static_cast<size_t>(n)].row == row && nodes_[static_cast<size_t>(n)].col == col) return false;
        last = n;
    }
    int32_t node = takeNode();
    nodes_[static_cast<size_t>(node)] = Node{row, col, 0};
    if (last) nodes_[static_cast<size_t>(last)].next = node;
    else heads_[static_cast<size_t>(b)] = node;
    ++count_;
    return true;
}

bool SelectionStore::remove(int32_t row, int32_t col) {
    int32_t b = bucketOf(row, col);
    int32_t prev = 0;
    for (int32_t n = heads_[static_cast<size_t>(b)]; n; prev = n, n = nodes_[static_cast<size_t>(n)].next) {
        Node& node = nodes_[static_cast<size_t>(n)];
        if (node.row != row || node.col != col) continue;
        if (prev) nodes_[static_cast<size_t>(prev)].next = node.next;
        else heads_[static_cast<size_t>(b)] = node.next;
        node = Node{0, 0, freeHead_};
        freeHead_ = n;
        --count_;
        return true;
    }
    return false;
}

std::vector<SelItem> SelectionStore::items() const {
    std::vector<SelItem> out;
    out.reserve(static_cast<size_t>(count_));
    for (int32_t b = 0; b < kBuckets; ++b)
        for (int32_t n = heads_[static_cast<size_t>(b)]; n; n = nodes_[static_cast<size_t>(n)].next)
            out.push_back({nodes_[static_cast<size_t>(n)].row, nodes_[static_cast<size_t>(n)].col});
    return out;
}

int32_t SelectionStore::remap(const std::function<bool(SelItem&)>& map) {
    std::vector<SelItem> old = items();
    clear();
    int32_t dropped = 0;
    for (SelItem it : old) {
        if (map(it)) add(it.row, it.col);
        else ++dropped;
    }
    return dropped;
}

} // namespace lattix
