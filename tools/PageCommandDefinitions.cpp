// SPDX-License-Identifier: GPL-3.0-or-later
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
            {{"--password", "P"},
             {"--paper", "a4|letter"},
             {"--with-names", ""},
             {"--pages-only", ""},
             {"--compare", "EARLIER.kva"},
             {"--password-earlier", "P"},
             {"-o", "OUT.pdf", true}},
            "Write the feedback report as a PDF: a cover, the contents, a summary (strengths, priorities, "
            "disagreements, comments, plan) and then every page of the contents, with page numbers and bookmarks. "
            "The questionnaires' pages, which name the assessors, come only with --with-names. --pages-only "
            "prints every page of the contents in tree order instead, a sheet per page. A4 unless --paper letter. "
            "--compare adds the Progress pages: what changed since an earlier journal of the same person.",
            run};
}
