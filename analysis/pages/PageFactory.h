// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/PageContent.h"
#include "analysis/pages/ResultPage.h"

#include <memory>

// The page that draws a content of the contents tree, of the class its kind calls for. The content
// must outlive the page.
std::unique_ptr<CResultPage> makeResultPage(PageContent& content);
