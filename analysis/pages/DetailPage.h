// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ListContent.h"
#include "analysis/pages/ResultPage.h"

// Label and value pairs about one questionnaire or action, the labels in a shaded band on the left.
class CDetailPage : public CResultPage {
public:
    explicit CDetailPage(DetailContent& content);

protected:
    void draw() override;

private:
    const DetailContent& m_detail;
};

class CQuestionnaireDetail final : public CDetailPage {
public:
    explicit CQuestionnaireDetail(QuestionnaireDetailContent& content) : CDetailPage(content) {}
};

class CActionDetail final : public CDetailPage {
public:
    explicit CActionDetail(ActionDetailContent& content) : CDetailPage(content) {}
};
