#pragma once

#include <memory>

class TAboutBox;
class Tmainform;
class Tspezvarlistform;
class Ttitelform;
class Tvariablenreadform;
class Tvarlistform;
class Tzuvarlistform;

// The program's windows that exist once for the whole run, created in the
// order the program has always used: the main window first, then, hidden,
// the change-title dialog, the variable list, the special function register
// list, the about box, the address list and the additional variable list.
class ProgramForms {
  public:
    ProgramForms();
    ~ProgramForms();
    ProgramForms(const ProgramForms&) = delete;
    ProgramForms& operator=(const ProgramForms&) = delete;

    Tmainform& mainform() const { return *mainform_; }
    Ttitelform& titelform() const { return *titelform_; }
    Tvarlistform& varlistform() const { return *varlistform_; }
    Tspezvarlistform& spezvarlistform() const { return *spezvarlistform_; }
    TAboutBox& aboutbox() const { return *aboutbox_; }
    Tvariablenreadform& variablenreadform() const { return *variablenreadform_; }
    Tzuvarlistform& zuvarlistform() const { return *zuvarlistform_; }

  private:
    std::unique_ptr<Tmainform> mainform_;
    std::unique_ptr<Ttitelform> titelform_;
    std::unique_ptr<Tvarlistform> varlistform_;
    std::unique_ptr<Tspezvarlistform> spezvarlistform_;
    std::unique_ptr<TAboutBox> aboutbox_;
    std::unique_ptr<Tvariablenreadform> variablenreadform_;
    std::unique_ptr<Tzuvarlistform> zuvarlistform_;
};
