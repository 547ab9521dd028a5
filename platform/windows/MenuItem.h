#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

// One entry of a menu model. A text of "-" makes a separator; '&' marks the mnemonic.
// A model may be shown by several windows at once; each window's bar is built from it.
class MenuItem {
public:
    MenuItem() = default;
    virtual ~MenuItem() = default;
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    std::string Name;
    std::string Text;
    // Empty or absent: no shortcut. "Cmd+O" is the platform's command key with O.
    std::optional<std::string> KeyboardShortcut;
    bool AutoEnable = false;

    bool Enabled() const { return m_enabled; }
    void Enabled(bool enabled) { m_enabled = enabled; }
    void Enable() { m_enabled = true; }

    void Append(std::shared_ptr<MenuItem> item);
    int Count() const { return static_cast<int>(m_children.size()); }
    MenuItem* Item(int index) const;
    // The direct child of that name, or nullptr.
    MenuItem* Child(const std::string& name) const;
    // The item of that name anywhere below this one, or nullptr.
    MenuItem* Lookup(const std::string& name) const;
    bool IsSeparator() const { return Text == "-"; }
    // Every item below this one, depth first, in menu order.
    std::vector<MenuItem*> Descendants() const;

    // Bumped by every change of structure, so that windows know to rebuild their bars.
    unsigned long Revision() const { return m_revision; }

private:
    std::vector<std::shared_ptr<MenuItem>> m_children;
    MenuItem* m_parent = nullptr;
    bool m_enabled = true;
    unsigned long m_revision = 0;
};
