// Command handlers and dialog windows register themselves here, each from its own file:
//
//   SORVEX_HANDLER(BoldButtonClick) { ... form, sender ... }
//   SORVEX_DIALOG(TFormTable, FormTableDialog)
//
// The main window binds every item of the command table to the handler its row names;
// an item whose handler is not registered stays disabled.
#pragma once

#include <QString>
#include <functional>

class QDialog;
class QWidget;
class TMainForm;

// The control a command was started from: its objectName and tag.
struct Sender {
    QString name;
    int tag = 0;
};

using Handler = std::function<void(TMainForm &, const Sender &)>;
using DialogFactory = std::function<QDialog *(QWidget *parent)>;

namespace Registry {
void addHandler(const char *name, Handler handler);
const Handler *handler(const QString &name);
void addDialog(const char *name, DialogFactory factory);
const DialogFactory *dialog(const QString &name);
} // namespace Registry

struct RegisterHandler {
    RegisterHandler(const char *name, Handler handler) { Registry::addHandler(name, std::move(handler)); }
};
struct RegisterDialog {
    RegisterDialog(const char *name, DialogFactory factory) { Registry::addDialog(name, std::move(factory)); }
};

#define SORVEX_HANDLER(Name)                                                                       \
    static void Name##_handler(TMainForm &form, const Sender &sender);                             \
    static const RegisterHandler Name##_registration(#Name, &Name##_handler);                      \
    static void Name##_handler([[maybe_unused]] TMainForm &form, [[maybe_unused]] const Sender &sender)

#define SORVEX_DIALOG(Name, Class)                                                                 \
    static const RegisterDialog Name##_dialog_registration(                                        \
        #Name, [](QWidget *parent) -> QDialog * { return new Class(parent); })
