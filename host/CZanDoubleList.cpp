#include "CZanDoubleList.h"

CZanDoubleList::CZanDoubleList(bool ownsElements) : m_OwnsElements(ownsElements) {}

CZanDoubleList::~CZanDoubleList() {
    Node* node = m_Head;
    while (node != nullptr) {
        Node* next = node->next;
        if (m_OwnsElements)
            delete node->element;
        delete node;
        node = next;
    }
}

void CZanDoubleList::ZDLAddToEnd(CZanObject* element) {
    Node* node = new Node{element, m_Tail, nullptr};
    if (m_Tail != nullptr)
        m_Tail->next = node;
    else
        m_Head = node;
    m_Tail = node;
    ++m_Length;
}

CZanObject* CZanDoubleList::ZDLHead() {
    m_Cursor = m_Head;
    return m_Cursor != nullptr ? m_Cursor->element : nullptr;
}

CZanObject* CZanDoubleList::ZDLGetNext() {
    if (m_Cursor != nullptr)
        m_Cursor = m_Cursor->next;
    return m_Cursor != nullptr ? m_Cursor->element : nullptr;
}

const CZanObject* CZanDoubleList::ZDLNextOf(const CZanObject* element) const {
    if (element == nullptr)
        return m_Head != nullptr ? m_Head->element : nullptr;
    for (const Node* node = m_Head; node != nullptr; node = node->next) {
        if (node->element == element)
            return node->next != nullptr ? node->next->element : nullptr;
    }
    return nullptr;
}
