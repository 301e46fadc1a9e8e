// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/PageFactory.h"

#include "analysis/GraphContent.h"
#include "analysis/ListContent.h"
#include "analysis/pages/DetailPage.h"
#include "analysis/pages/ProgressBarsPage.h"
#include "analysis/pages/RankingPage.h"
#include "analysis/pages/ResponseFrequencies.h"
#include "analysis/pages/TablePage.h"

namespace {

std::unique_ptr<CResultPage> makeRanking(RankingContent& content) {
    switch (content.list().kind()) {
    case CResultList::Kind::Competencies:
        return std::make_unique<CCompetencyRanking>(content);
    case CResultList::Kind::Behaviours:
        return std::make_unique<CBehaviourRanking>(content);
    case CResultList::Kind::Differences:
        return std::make_unique<CDifferenceRanking>(content);
    case CResultList::Kind::ExtraRequirements:
        return std::make_unique<CExtraRequirementRanking>(content);
    }
    return std::make_unique<CRankingPage>(content);
}

std::unique_ptr<CResultPage> makeTable(TableContent& content) {
    if (auto* list = dynamic_cast<QuestionnaireListContent*>(&content)) {
        return std::make_unique<CQuestionnaireList>(*list);
    }
    if (auto* list = dynamic_cast<JournalListContent*>(&content)) {
        return std::make_unique<CJournalList>(*list);
    }
    if (auto* progress = dynamic_cast<progresspages::ProgressContent*>(&content);
        progress != nullptr && progress->which() == progresspages::ProgressContent::Which::Competencies) {
        return std::make_unique<CProgressBarsPage>(*progress);
    }
    return std::make_unique<CTablePage>(content);
}

std::unique_ptr<CResultPage> makeDetail(DetailContent& content) {
    if (auto* detail = dynamic_cast<QuestionnaireDetailContent*>(&content)) {
        return std::make_unique<CQuestionnaireDetail>(*detail);
    }
    if (auto* detail = dynamic_cast<ActionDetailContent*>(&content)) {
        return std::make_unique<CActionDetail>(*detail);
    }
    return std::make_unique<CDetailPage>(content);
}

} // namespace

std::unique_ptr<CResultPage> makeResultPage(PageContent& content) {
    switch (content.kind()) {
    case PageKind::Ranking:
        return makeRanking(static_cast<RankingContent&>(content));
    case PageKind::Frequencies:
        return std::make_unique<CResponseFrequencies>(static_cast<FrequencyContent&>(content));
    case PageKind::Table:
        return makeTable(static_cast<TableContent&>(content));
    case PageKind::Detail:
        return makeDetail(static_cast<DetailContent&>(content));
    }
    return nullptr;
}
