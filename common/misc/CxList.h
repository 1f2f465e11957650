#pragma once
// The indexed list behind every record set: a doubly linked list of element
// pointers with one cursor. Elements are only appended, or all removed;
// each node keeps the index it got when it was appended. Whenever the
// cursor is set, its node's index equals `m_nFindIndex`.
//
// The list does not own its elements, unless RemoveAll is asked to free
// them; the nodes themselves are owned by the list.
#include <cassert>
#include <cstddef>
#include <deque>

template <class T>
class CxList {
public:
    CxList() = default;
    ~CxList() { RemoveAll(false); }
    CxList(const CxList&) = delete;
    CxList& operator=(const CxList&) = delete;

    // Appends a node for the element and makes it the cursor; a missing
    // element is refused.
    bool Add(T* element) {
        if (element == nullptr) return false;
        m_nodes.push_back(Node{element, m_count, m_tail, nullptr});
        Node* node = &m_nodes.back();
        if (m_tail)
            m_tail->next = node;
        else
            m_head = node;
        m_tail = node;
        m_pCurr = node;
        m_nFindIndex = m_count;
        ++m_count;
        return true;
    }

    // The first element (the cursor moves to it), or null for an empty list.
    T* GetFirst() {
        if (m_head == nullptr) return nullptr;
        m_pCurr = m_head;
        m_nFindIndex = 0;
        return m_head->element;
    }

    // The element after the cursor, or null at the end.
    T* GetNext() {
        if (m_pCurr == nullptr || m_nFindIndex + 1 >= m_count) return nullptr;
        return GetAt(m_nFindIndex + 1);
    }

    // The element at an index; the walk starts at the cursor and leaves the
    // cursor on the found node.
    T* GetAt(std::size_t index) {
        if (index >= m_count) return nullptr;
        if (m_pCurr == nullptr) {
            m_pCurr = m_head;
            m_nFindIndex = 0;
        }
        assert(m_pCurr->nIndex == m_nFindIndex && "m_pCurr->nIndex==m_nFindIndex");
        Node* node = m_pCurr;
        while (node != nullptr) {
            if (node->nIndex == index) {
                m_pCurr = node;
                m_nFindIndex = index;
                return node->element;
            }
            node = m_nFindIndex < index ? node->next : node->prev;
        }
        return nullptr;
    }

    std::size_t GetCount() const { return m_count; }

    // Removes every node; with `freeElements` each element is deleted too.
    void RemoveAll(bool freeElements) {
        if (freeElements)
            for (Node& node : m_nodes) delete node.element;
        m_nodes.clear();
        m_head = m_tail = m_pCurr = nullptr;
        m_count = 0;
        m_nFindIndex = 0;
    }

    // Index of the cursor node.
    std::size_t GetFindIndex() const { return m_nFindIndex; }

private:
    struct Node {
        T* element;
        std::size_t nIndex;
        Node* prev;
        Node* next;
    };
    std::deque<Node> m_nodes;  // stable addresses; owns the nodes
    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    Node* m_pCurr = nullptr;
    std::size_t m_count = 0;
    std::size_t m_nFindIndex = 0;
};
