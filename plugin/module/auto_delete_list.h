// Scope-local owner of heap objects: every value copy a calculation obtains from the
// host goes in here at once and dies, newest first, when the scope ends.
#pragma once
#include <memory>
#include <type_traits>

class CAutoDeleteList {
 public:
  CAutoDeleteList() = default;
  CAutoDeleteList(const CAutoDeleteList&) = delete;
  CAutoDeleteList& operator=(const CAutoDeleteList&) = delete;
  ~CAutoDeleteList() {
    Destroy(m_head);
    for (Node* node = m_next; node;) {
      Node* next = node->next;
      Destroy(node->entry);
      delete node;
      node = next;
    }
  }

  // Takes the object over and hands the same pointer back, so the call can stand
  // inside an expression. A null pointer is accepted and ignored.
  template <typename T>
  T* Add(T* object) {
    static_assert(std::has_virtual_destructor_v<T>, "owned objects die through their virtual destructor");
    if (!object) return object;
    // Owned from here on: should the node allocation throw, the object still dies.
    std::unique_ptr<T> owner(object);
    if (m_head.object) m_next = new Node{m_next, m_head};
    m_head = Entry{owner.release(), [](void* p) { delete static_cast<T*>(p); }};
    return object;
  }

 private:
  struct Entry {
    void* object = nullptr;
    void (*destroy)(void*) = nullptr;
  };
  struct Node {
    Node* next;
    Entry entry;
  };
  static void Destroy(const Entry& e) {
    if (e.object) e.destroy(e.object);
  }

  Entry m_head;
  Node* m_next = nullptr;
};
