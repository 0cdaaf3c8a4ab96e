#pragma once

// The one implementation of an interface that the program sets at run time
// (a subsystem's link to the learning history): null until it is set.
template <typename Interface> class LinkSlot {
public:
    static void set(Interface* link) { slot() = link; }
    static Interface* get() { return slot(); }

private:
    static Interface*& slot() {
        static Interface* link = nullptr;
        return link;
    }
};
