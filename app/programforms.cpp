#include "programforms.h"

#include "catalogs/taboutbox.h"
#include "catalogs/tspezvarlistform.h"
#include "catalogs/ttitelform.h"
#include "catalogs/tvariablenreadform.h"
#include "catalogs/tvarlistform.h"
#include "catalogs/tzuvarlistform.h"
#include "tmainform.h"
#include "windowfactories.h"

ProgramForms::ProgramForms() {
    mainform_ = std::make_unique<Tmainform>();
    titelform_ = std::make_unique<Ttitelform>();
    // The graph settings dialog (Tgrafikinitform) comes here once graphic
    // windows exist.
    varlistform_ = std::make_unique<Tvarlistform>(*mainform_);
    spezvarlistform_ = std::make_unique<Tspezvarlistform>(*mainform_);
    aboutbox_ = std::make_unique<TAboutBox>();
    variablenreadform_ = std::make_unique<Tvariablenreadform>();
    zuvarlistform_ = std::make_unique<Tzuvarlistform>(*mainform_);

    Tmainform::Catalogs c;
    c.titelform = titelform_.get();
    c.varlistform = varlistform_.get();
    c.spezvarlistform = spezvarlistform_.get();
    c.aboutbox = aboutbox_.get();
    c.variablenreadform = variablenreadform_.get();
    c.zuvarlistform = zuvarlistform_.get();
    mainform_->setCatalogs(c);
    installWindowFactories(mainform_->registry());
}

ProgramForms::~ProgramForms() {
    // The working windows belong to the main window and may still reach the
    // list windows while they go, so the main window goes first.
    mainform_.reset();
}
