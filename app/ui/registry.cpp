#include "app/ui/registry.h"

#include <map>
#include <string>

namespace {
std::map<std::string, Handler> &handlers()
{
    static std::map<std::string, Handler> map;
    return map;
}
std::map<std::string, DialogFactory> &dialogs()
{
    static std::map<std::string, DialogFactory> map;
    return map;
}
} // namespace

namespace Registry {
void addHandler(const char *name, Handler handler) { handlers()[name] = std::move(handler); }

const Handler *handler(const QString &name)
{
    const auto it = handlers().find(name.toStdString());
    return it == handlers().end() ? nullptr : &it->second;
}

void addDialog(const char *name, DialogFactory factory) { dialogs()[name] = std::move(factory); }

const DialogFactory *dialog(const QString &name)
{
    const auto it = dialogs().find(name.toStdString());
    return it == dialogs().end() ? nullptr : &it->second;
}
} // namespace Registry
