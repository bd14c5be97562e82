#pragma once
// Base of every node of a template tree.

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "teds/types/BitReader.hpp"
#include "teds/types/DecodeBudget.hpp"
#include "teds/types/RecordStore.hpp"
#include "teds/types/ValueRecord.hpp"

namespace teds::tdl::nodes {

class RecordSource;

class Node {
public:
    virtual ~Node() = default;

    // Writes the node as text; containers indent their children by two more blanks.
    virtual void dump(std::ostream& out, const std::string& indent) const = 0;

    // Reads the node's bits and appends its records to `out`, keeping what
    // they refer to in `store`; false stops the template. Every record
    // appended is taken from `budget` first.
    virtual bool decode(types::BitReader& in, std::vector<types::ValueRecord>& out, types::RecordStore& store,
                        types::DecodeBudget& budget) const;

    // The reverse of decode: takes the records decode would have appended
    // from `records` and writes their bits. False, with the reason kept in
    // `records`, when a record is missing or its value does not fit.
    virtual bool encode(RecordSource& records) const;

    // How many records one decode of this node usually appends, so that a
    // template's list is reserved once: a select case counts its largest case.
    virtual std::size_t recordsHint() const { return 0; }

protected:
    Node() = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
};

// The node as a `T` when that is its class, else null. Every node class is
// final, so comparing types is exact, and cheaper than dynamic_cast's search.
template <class T>
T* nodeAs(Node& node) {
    static_assert(std::is_final_v<T>);
    return typeid(node) == typeid(T) ? static_cast<T*>(&node) : nullptr;
}
template <class T>
const T* nodeAs(const Node& node) {
    static_assert(std::is_final_v<T>);
    return typeid(node) == typeid(T) ? static_cast<const T*>(&node) : nullptr;
}

using NodePtr = std::unique_ptr<Node>;
using NodeList = std::vector<NodePtr>;

// Decodes `nodes` in order into `out`. Stops at the first node that fails:
// what that node produced is dropped, what came before stays.
bool decodeNodeList(const NodeList& nodes, types::BitReader& in, std::vector<types::ValueRecord>& out,
                    types::RecordStore& store, types::DecodeBudget& budget);

// The sum of the nodes' hints.
std::size_t recordsHint(const NodeList& nodes);

// Encodes `nodes` in order; stops at the first that fails.
bool encodeNodeList(const NodeList& nodes, RecordSource& records);

void dumpNodeList(const NodeList& nodes, std::ostream& out, const std::string& indent);

}  // namespace teds::tdl::nodes
