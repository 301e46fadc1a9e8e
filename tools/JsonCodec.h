// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/JsonFields.h"

#include "model/PavexDoc.h"
#include "model/Role.h"
#include "model/WebReply.h"

// The JSON form of each file kvtool handles (documented in the README). The *FromJson functions
// throw JsonShapeError for JSON the files cannot hold: missing or mistyped members, counts beyond
// the records' limits. The switch and seed members are written out as read and ignored on input,
// where the writers work them out from the password.
namespace jsoncodec {

Json roleToJson(const CRole& role);
Json journalToJson(const JournalRecord& journal);
Json replyToJson(const CWebReply& reply);

CRole roleFromJson(const JsonField& json);
JournalRecord journalFromJson(const JsonField& json);
CWebReply replyFromJson(const JsonField& json);

} // namespace jsoncodec
