#pragma once

#include <memory>

namespace cut2edl {

// Releases a chain whose links own their successors through `next`, one link
// at a time: a chain of a thousand entries must not take a thousand nested
// destructor calls.
template <typename Link>
void release_chain(std::unique_ptr<Link>& head) {
    while (head) head = std::move(head->next);
}

// Appends to a chain that is built front to back: holds where the next link goes.
template <typename Link>
class ChainBuilder {
public:
    explicit ChainBuilder(std::unique_ptr<Link>& head) : tail(&head) {}

    Link& append(std::unique_ptr<Link> link) {
        *tail = std::move(link);
        Link& appended = **tail;
        tail = &appended.next;
        return appended;
    }

private:
    std::unique_ptr<Link>* tail;
};

// Renders an owned part, or the chain that begins with it, when there is one.
template <typename Part, typename... Sinks>
void dump_if_present(const std::unique_ptr<Part>& part, const Sinks&... sinks) {
    if (part) part->dump(sinks...);
}

}  // namespace cut2edl
