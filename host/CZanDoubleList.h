// A doubly linked list of host objects, walked with a cursor:
// ZDLHead() returns the first element and puts the cursor on it, ZDLGetNext()
// moves the cursor on and returns the element there, null past the end.
//
// Threads: a list serves one thread at a time (walking it moves its cursor,
// so even reading is not safe from two threads); lists share nothing.
#pragma once

#include "CZanObject.h"
#include "HostApi.h"

class HOST_API CZanDoubleList : public CZanObject {
public:
    // ownsElements: delete the elements with the list.
    explicit CZanDoubleList(bool ownsElements);
    ~CZanDoubleList() override;

    void ZDLAddToEnd(CZanObject* element);
    int ZDLLength() const { return m_Length; }

    CZanObject* ZDLHead();
    CZanObject* ZDLGetNext();

    // Cursor-free walk for const users: element after `element`, or the
    // first element when `element` is null.
    const CZanObject* ZDLNextOf(const CZanObject* element) const;

private:
    struct Node {
        CZanObject* element;
        Node* prev;
        Node* next;
    };
    Node* m_Head = nullptr;
    Node* m_Tail = nullptr;
    Node* m_Cursor = nullptr;
    int m_Length = 0;
    bool m_OwnsElements;
};
