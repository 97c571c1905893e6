#include "help_document.h"

namespace helpc {

std::size_t HelpDocument::ContentsIndex() const {
    for (std::size_t i = 0; i < topics.size(); ++i) {
        if (topics[i].id == contentsId) {
            return i;
        }
    }
    return 0;
}

} // namespace helpc
