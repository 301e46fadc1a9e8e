#include "tools/PageCommandDefinitions.h"

Command renderCommandDefinition(void (*run)(const ParsedArguments& arguments, std::ostream& out)) {
    return {"render",
            {"FILE"},
            {{"--page", "PATH", true}, {"--width", "PX"}, {"--password", "P"}, {"-o", "OUT.png|OUT.pdf", true}},
            "Draw one page of the contents (PATH as kvtool results gives it; \"#k\" is the k-th child, from 0) "
            "as on screen into a PNG of the "
            "given width (default 1280) or as "
            "printed into a PDF.",
            run};
}

Command reportCommandDefinition(void (*run)(const ParsedArguments& arguments, std::ostream& out)) {
    return {"report",
            {"FILE"},
            {{"--password", "P"}, {"-o", "OUT.pdf", true}},
            "Print every page of the contents in tree order into one PDF, a sheet per page.",
            run};
}
