// `kalvo catalogue`: the whole catalogue, as text or JSON.
#pragma once

#include <ostream>

namespace kalvo::app {

void PrintCatalogue(std::ostream& out);
void PrintCatalogueJson(std::ostream& out);

}  // namespace kalvo::app
