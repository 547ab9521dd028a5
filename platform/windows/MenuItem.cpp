#include "platform/windows/MenuItem.h"

void MenuItem::Append(std::shared_ptr<MenuItem> item)
{
    if (!item)
        return;
    item->m_parent = this;
    m_children.push_back(std::move(item));
    for (MenuItem* at = this; at; at = at->m_parent)
        ++at->m_revision;
}

MenuItem* MenuItem::Item(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_children[static_cast<size_t>(index)].get();
}

MenuItem* MenuItem::Child(const std::string& name) const
{
    for (const auto& child : m_children)
        if (child->Name == name)
            return child.get();
    return nullptr;
}

MenuItem* MenuItem::Lookup(const std::string& name) const
{
    for (const auto& child : m_children) {
        if (child->Name == name)
            return child.get();
        if (MenuItem* found = child->Lookup(name))
            return found;
    }
    return nullptr;
}

std::vector<MenuItem*> MenuItem::Descendants() const
{
    std::vector<MenuItem*> items;
    for (const auto& child : m_children) {
        items.push_back(child.get());
        const auto below = child->Descendants();
        items.insert(items.end(), below.begin(), below.end());
    }
    return items;
}
