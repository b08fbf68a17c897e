#include "app/controller.h"

namespace tolvi {

Controller::Controller(Form& form, Services& ui, Atzar& rng, std::string workdir)
    : form_(form), ui_(ui), rng_(rng) {
  state_.CarpIni = std::move(workdir);
}

void Controller::start() {}
bool Controller::close() { return true; }
void Controller::generate(int16_t) {}
void Controller::solve(int16_t) {}
void Controller::reset(int16_t) {}
void Controller::save(int16_t) {}
void Controller::saveAll() {}
void Controller::fieldChanged(std::string_view) {}
void Controller::keyPressed(std::string_view, int) {}
void Controller::clicked(std::string_view) {}
void Controller::framePressed(std::string_view, bool) {}
void Controller::doubleClicked(std::string_view) {}
void Controller::symbolSelected(int) {}
void Controller::menu(std::string_view) {}
void Controller::apply(int16_t, const SolveOutcome&) {}
void Controller::setField(std::string_view, std::string_view) {}
void Controller::showInfiniteSum(bool) {}
SolveContext Controller::context() { return SolveContext{ui_, state_.Idioma, state_.Smb}; }
void Controller::changed(std::string_view) {}
void Controller::posaSimbols() {}
void Controller::llegeixNSmb() {}
void Controller::addSymbol(std::string) {}

}  // namespace tolvi
