#pragma once

namespace kv {

// `SetBusyCursor` for a scope: the busy pointer while a long search or write runs, the normal
// one again after (`SetNormalCursor`), also when it throws. Nothing happens without a screen.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    bool m_shown;
};

} // namespace kv
