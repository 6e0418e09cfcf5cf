// chute: a chute's drawdown from the critical depth at its head (§12.3.3),
// each point's aerated depth (N.1.2) and the walls' height.
#include "calc/questions/structure_inputs.h"
#include "calc/questions/structure_report.h"
#include "calc/structures/chute.h"
#include "calc/toolkit/item_list.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

using namespace structures;

std::vector<ReportLine> report(const ChuteInput& in, const ChuteResult& r) {
  using enum TextId;
  ReportBuilder b;
  b.title(ChuteTitle);
  b.heading(HeadingData);
  b.step(ChuteData, {value(in.Q), value(in.L), value(in.steps), value(in.zeta)});
  b.step(StepGravity, {value(gravityOf(in.g))});
  b.heading(ChuteHeadingProfile);
  b.step(ChuteDepths, {value(r.hc), value(r.hn)});
  if (r.profile.points.empty()) {
    b.step(ChuteMild);
  } else {
    b.step(ChuteControl);
    b.step(ChuteColumns);
    for (std::size_t k = 0; k < r.profile.points.size(); ++k) {
      const ProfilePoint& p = r.profile.points[k];
      b.step(ChuteRow, {value(p.x), value(p.h), value(p.v), value(r.aerated[k])});
    }
    b.step(ChuteAerated, {value(r.deepestAerated)});
    b.step(ChuteWall, {value(r.deepestAerated), value(in.backwater), value(in.freeboard), value(r.wallHeight)});
  }
  b.heading(HeadingChecks);
  b.checks(r.checks);
  return b.take();
}

}  // namespace

Answer answerChute(const Inputs& inputs) {
  using enum QuantityId;
  StructureInputs in(inputs);
  for (std::string_view key : {"Q", "L"}) in.requireGiven(key);
  if (const std::string* units = in.text("units"); units && *units != "si") fail(MessageId::UnitsSiOnly, "units");
  ChuteInput c;
  c.g = in.gravity();
  c.chute = in.channel();
  c.chute.g = c.g;
  c.Q = in.number("Q", 1);
  c.L = in.number("L", 1);
  c.steps = in.whole("steps", 100, 1, 10000);
  c.zeta = in.number("zeta", 1.0);
  c.backwater = in.number("backwater");
  c.freeboard = in.number("freeboard", 0.5);
  in.finish();
  const ChuteResult r = chute(c);
  Answer answer("chute", UnitSystem::SI);
  Group& record = answer.record();
  ItemList list(record.items);
  list.exact(Gravity, gravityOf(c.g));
  list.channel(c.chute, true, true);
  list.exact(Discharge, c.Q);
  list.exact(StructureLength, c.L);
  list.number(CriticalDepth, r.hc);
  list.number(NormalDepth, r.hn);
  if (!r.profile.points.empty()) {
    list.exact(DeepestAerated, r.deepestAerated);
    list.exact(WallHeight, r.wallHeight);
  }
  std::vector<Row> rows;
  for (std::size_t k = 0; k < r.profile.points.size(); ++k) {
    const ProfilePoint& p = r.profile.points[k];
    rows.push_back(Row({Cell::of(p.x), Cell::of(p.h), Cell::of(p.v), Cell::of(r.aerated[k])}));
  }
  record.tables.push_back(Table::of("points", {X, Depth, Velocity, AeratedDepth}, std::move(rows)));
  record.tables.push_back(checksTable(r.checks));
  answer.reportRole = Answer::ReportRole::Document;
  answer.report = report(c, r);
  return answer;
}

}  // namespace channelflow::calc
