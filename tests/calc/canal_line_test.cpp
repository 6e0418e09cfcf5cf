// Canal lines: the plan's stations against hand computation, levels that
// fall by i L to the last digit, a gate's backwater against the single
// channel's profile, the standard step's conventions (TV5), each structure's
// fall worked by hand, and bad rows refused with their row and column.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc/canal/canal_line.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

LineResult computed(CanalLine& line) { return computeLine(line); }

CanalLine lineOf(const std::string& csv, LineSettings settings = {}) {
  if (!settings.headLevel && !settings.controlLevel) settings.headLevel = numeric::Decimal(100.0);
  return readCanalLine(csv, settings);
}

std::string problemOf(const std::string& csv, LineSettings settings = {}) {
  try {
    lineOf(csv, settings);
  } catch (const CalcError& error) {
    return messageText(error.problem());
  }
  return "no problem";
}

double station(const CanalLine& line, std::size_t row) { return line.chain.nodes[line.rows[row].down].station.toDouble(); }

TEST(CanalPlan, StationsFromCoordinates) {
  // An IP deflecting 45° with Rc = 50 m: T = 50 (√2 - 1), Lc = 50 π/4; a node
  // projected on the second leg 70.711 m past the IP; the end 141.421 m on.
  const CanalLine line = lineOf(
      "name,kind,x,y,Rc,B,m,n,i,Q\n"
      "A,start,0,0,,2,1.5,0.025,1/2000,3\n"
      "IP1,ip,100,0,50\n"
      "N,node,150,50\n"
      "E,node,200,100\n");
  const PlanCurve& c = *line.rows[1].curve;
  const struct {
    const char* name;
    double value, expected;
  } rows[] = {
      {"deflection", c.deflection.toDouble(), 45},
      {"T", c.T.toDouble(), 20.7106781186548},
      {"Lc", c.Lc.toDouble(), 39.2699081698724},
      {"BC", c.BC.toDouble(), 79.2893218813452},
      {"MC", c.MC.toDouble(), 98.9242759662815},
      {"EC", c.EC.toDouble(), 118.559230051218},
      {"IP's station", station(line, 1), 98.9242759662815},
      {"projected node", station(line, 2), 168.559230051218},
      {"end", station(line, 3), 239.269908169872},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_NEAR(row.value, row.expected, 1e-12);
  }
  EXPECT_FALSE(c.left);  // north, then north-east: a right turn
}

TEST(CanalPlan, OverlappingCurvesRefused) {
  // 80 m between two IPs turning 90°, tangents of 50 m each (Rc 50 m).
  const std::string message = problemOf(
      "name,kind,x,y,Rc,B,m,n,i,Q\n"
      "A,start,0,0,,2,1.5,0.025,1/2000,3\n"
      "IP1,ip,100,0,50\n"
      "IP2,ip,100,80,50\n"
      "E,node,200,80\n");
  EXPECT_EQ(message.rfind("--file 第 4 行：此 IP 的曲线与上一曲线重叠：两切线长之和 ", 0), 0u) << message;
  EXPECT_NE(message.find("大于交点间距 80 m，应减小 Rc"), std::string::npos) << message;
}

// A uniform canal: every flow's level falls by i L, exactly as typed.
TEST(CanalLine, UniformLevelsFallByIL) {
  CanalLine line = lineOf(
      "name,station,B,m,n,i,Q\n"
      "A,0,2,1.5,0.025,1/2000,3\n"
      "B,1000\n"
      "C,2000.5\n");
  const LineResult r = computed(line);
  EXPECT_EQ(r.flows[0].nodes[line.rows[1].down].wse.toDouble(), 99.5);
  EXPECT_EQ(r.flows[0].nodes[line.rows[2].down].wse.toDouble(), 98.99975);
  for (std::size_t f = 0; f < kFlowCases; ++f) {
    SCOPED_TRACE(f);
    EXPECT_EQ(r.flows[f].falls[1].dz.toDouble(), 0.5);
    EXPECT_EQ(r.flows[f].falls[2].dz.toDouble(), 0.50025);
    EXPECT_EQ(r.flows[f].falls[2].hf.toDouble(), 0.50025);
  }
}

// Behind a gate holding 100.6 m at the minimum flow: the line's levels,
// stepped from node to node 100 m apart, are the single channel's profile
// of as many standard steps from the depth at the gate.
TEST(CanalLine, BackwaterBehindAGateIsTheChannelsProfile) {
  std::string csv = "name,kind,station,B,m,n,i,Q,Qmin,hold,loss\nA,start,0,2,1.5,0.025,1/2000,3,1.2,,\n";
  for (int k = 1; k < 20; ++k) csv += "N" + std::to_string(k) + ",node," + std::to_string(100 * k) + "\n";
  csv += "G,gate,2000,,,,,,,100.6,0.05\nT,node,2100\n";
  LineSettings settings;
  settings.headLevel = numeric::Decimal(101.0);
  settings.maxStep = 0;
  CanalLine line = lineOf(csv, settings);
  const LineResult r = computed(line);
  const std::size_t gate = line.rows[20].up;
  const NodeWater& held = r.flows[2].nodes[gate];
  ASSERT_TRUE(held.held);
  EXPECT_EQ(held.wse.toDouble(), 100.6);
  // A level to hold below the one the gate's fall leaves is held by nothing.
  CanalLine low = lineOf(std::string(csv).replace(csv.find("100.6"), 5, "90"), settings);
  const LineResult open = computed(low);
  const NodeWater& above = open.flows[2].nodes[gate];
  EXPECT_FALSE(above.held);
  EXPECT_EQ((above.wse - open.flows[2].nodes[low.rows[20].down].wse).toDouble(), 0.05);
  Inputs profile;
  for (const auto& [key, text] : {std::pair{"B", "2"}, {"m", "1.5"}, {"n", "0.025"}, {"i", "0.0005"}, {"Q", "1.2"},
                                  {"length", "2000"}, {"steps", "20"}}) {
    profile.set(key, text);
  }
  profile.set("h0", numeric::formatDouble(held.h.toDouble()));
  const Answer answer = calc::profile(profile);
  const Table& points = answer.record().tables.front();
  for (long j = 1; j <= 20; ++j) {
    SCOPED_TRACE(j);
    const Row point = points.rowAt(j);
    ASSERT_EQ(point.cells[0].number, -100.0 * static_cast<double>(j));
    const NodeWater& w = r.flows[2].nodes[line.rows[static_cast<std::size_t>(20 - j)].down];
    EXPECT_NEAR(w.h.toDouble(), point.cells[1].number, 1e-12);
  }
}

// TV5: one step of 100 m up an M2 drawdown from 0.900 m, by each convention.
TEST(CanalLine, OneStepByEachConvention) {
  const std::string csv =
      "name,station,B,m,n,i,Q,Qj,Qmin\n"
      "U,0,2,0,0.015,0.0005,3,3,3\n"
      "D,100\n";
  for (const auto& [rule, expected] : {std::pair{FrictionRule::MeanSlope, 1.026904}, {FrictionRule::MeanVelocityRadius, 1.025130}}) {
    SCOPED_TRACE(frictionRuleKey(rule));
    LineSettings settings;
    settings.controlLevel = numeric::Decimal(100.0);
    settings.rule = rule;
    settings.maxStep = 0;
    CanalLine first = lineOf(csv, settings);
    const double bed = computed(first).bed.back()->toDouble();
    settings.tail = "wse=" + numeric::formatDouble(bed + 0.9);
    CanalLine line = lineOf(csv, settings);
    const LineResult r = computed(line);
    EXPECT_NEAR(r.flows[1].nodes.back().h.toDouble(), 0.9, 1e-12);  // the level typed to 15 digits
    EXPECT_NEAR(r.flows[1].nodes.front().h.toDouble(), expected, 5e-7);
  }
}

// A short line through each structure, each one's fall at the design flow
// against its formula worked from the velocities at its ends:
//   siphon  z + (v² - v1²)/2g - (1 - ξ2)(v² - v3²)/2g, z of TV1 (0.626170 m at 2 m³/s);
//   aqueduct, tunnel, culvert  (1 + ξ1)(v² - v1²)/2g + i L - (1 - ξ2)(v² - v3²)/2g;
//   gate  its loss; drop  its fall of bed; chute  its bed's fall i L.
TEST(CanalLine, EachStructuresFallWorkedByHand) {
  CanalLine line = lineOf(
      "name,kind,station,section,B,m,D,H,n,i,Q,L,inlet-zeta,gate-slots,bend,outlet-zeta,trough,barrel,inlet-form,outlet-form,loss,P\n"
      "A,start,0,trapezoid,1.5,1.5,,,0.02,1/2500,2,,,,,,,,,,,\n"
      "S1,siphon-in,200,,,,1.2,,0.014,,,150,0.2,1,3.6:30;3.6:30,0.36,,,,,,\n"
      "S2,siphon-out,320,,,,,,,,,,,,,,,,,,,\n"
      "AQ1,aqueduct-in,600,,1.6,,,,0.014,1/1000,,,,,,,rectangle,,arc-wall,arc-wall,,\n"
      "AQ2,aqueduct-out,720,,,,,,,,,,,,,,,,,,,\n"
      "G,gate,900,,,,,,,,,,,,,,,,,,0.07,\n"
      "TU1,tunnel-in,1000,circle,,,2.0,,0.014,1/1500,,,,,,,,,,,,\n"
      "TU2,tunnel-out,1300,,,,,,,,,,,,,,,,,,,\n"
      "CU1,culvert-in,1500,,1.4,,,1.6,,1/1000,,,,,,,,rectangle,,,,\n"
      "CU2,culvert-out,1540,,,,,,,,,,,,,,,,,,,\n"
      "DR,drop,1800,,,,,,,,,,,,,,,,,,,1.2\n"
      "CH1,chute-in,2000,,1.5,0,,,0.014,0.05,,,,,,,,,,,,\n"
      "CH2,chute-out,2040,,,,,,,,,,,,,,,,,,,\n"
      "E,node,2200,,,,,,,,,,,,,,,,,,,\n");
  const LineResult r = computed(line);
  const double twoG = 2 * 9.80665;
  const auto v = [&](std::size_t k) { return r.flows[0].nodes[k].x.v.toDouble(); };
  const auto fall = [&](std::size_t in, std::size_t out) {
    return (r.flows[0].nodes[line.rows[in].up].wse - r.flows[0].nodes[line.rows[out].down].wse).toDouble();
  };
  // The siphon: TV1's barrels.
  const double vp = 2 / 1.130973, head = vp * vp / twoG, z = 0.626170;  // TV1's ω = π 1.2²/4
  const double v1 = v(line.rows[1].up), v3 = v(line.rows[2].down);
  EXPECT_NEAR(fall(1, 2), z + (vp * vp - v1 * v1) / twoG - 0.8 * (vp * vp - v3 * v3) / twoG, 3e-6);
  EXPECT_NEAR(head, 0.159443, 1e-6);
  // The barrels: the canal's velocity each side, the barrel's within.
  const struct {
    const char* name;
    std::size_t in, out;
    double xi1, xi2, iL;
  } barrels[] = {{"aqueduct", 3, 4, 0.2, 0.5, 0.12}, {"tunnel", 6, 7, 0.1, 0.2, 0.2}, {"culvert", 8, 9, 0.1, 0.3, 0.04}};
  for (const auto& b : barrels) {
    SCOPED_TRACE(b.name);
    const double u1 = v(line.rows[b.in].up), u = v(line.rows[b.in].down), u3 = v(line.rows[b.out].down);
    EXPECT_NEAR(fall(b.in, b.out), (1 + b.xi1) * (u * u - u1 * u1) / twoG + b.iL - (1 - b.xi2) * (u * u - u3 * u3) / twoG, 1e-12);
  }
  EXPECT_EQ(fall(5, 5), 0.07);
  const auto bedFall = [&](std::size_t from, std::size_t to) { return (*r.bed[from] - *r.bed[to]).toDouble(); };
  EXPECT_NEAR(bedFall(line.rows[10].up, line.rows[10].down), 1.2, 1e-12);
  EXPECT_NEAR(bedFall(line.rows[11].up, line.rows[12].down), 0.05 * 40, 1e-12);
}

// On the fixed bed: a drop's and a chute's controls at their critical
// depths, an offtake keeping the level, a tunnel the enlarged flow would fill
// saying so with the march restarted above it, and practice's uniform flow.
TEST(CanalLine, ControlsOnTheFixedBed) {
  const std::string csv =
      "name,kind,station,section,B,m,D,n,i,Q,Qj,P\n"
      "A,start,0,trapezoid,2,1.5,,0.02,1/1500,1.2,3.2,\n"
      "T1,tunnel-in,300,circle,,,1.4,0.014,1/1500,,,\n"
      "T2,tunnel-out,600,,,,,,,,,\n"
      "O,offtake,900,,,,,,,1,2.5,\n"
      "D,drop,1200,,,,,,,,,1.5\n"
      "C1,chute-in,1500,,1.2,0,,0.014,0.04,,,\n"
      "C2,chute-out,1540,trapezoid,2,1.5,,0.02,1/1500,,,\n"
      "E,node,2000,,,,,,,,,\n";
  CanalLine line = lineOf(csv);
  const LineResult r = computed(line);
  const LineFlowResult& j = r.flows[1];
  const auto criticalAt = [&](std::size_t k) { return j.along.critical[k].least.toDouble(); };
  const LineRowInfo &tunnel = line.rows[1], &offtake = line.rows[3], &drop = line.rows[4], &chute = line.rows[5];
  EXPECT_FALSE(j.nodes[tunnel.down].known);
  EXPECT_EQ(j.nodes[tunnel.down].note->id, MessageId::LineAboveCrown);
  EXPECT_EQ(j.nodes[tunnel.up].note->id, MessageId::MarchRestarted);
  EXPECT_TRUE(j.nodes[0].known);
  EXPECT_EQ(j.nodes[offtake.up].wse.toDouble(), j.nodes[offtake.down].wse.toDouble());
  EXPECT_EQ(j.nodes[drop.up].h.toDouble(), criticalAt(drop.up));
  EXPECT_TRUE(j.nodes[drop.up].critical);
  EXPECT_EQ(j.nodes[chute.down].h.toDouble(), criticalAt(chute.down));

  LineSettings uniform;
  uniform.uniform = true;
  CanalLine practice = lineOf(csv, uniform);
  const LineResult u = computed(practice);
  for (const std::size_t row : {std::size_t{0}, std::size_t{3}, std::size_t{7}}) {
    SCOPED_TRACE(row);
    const std::size_t k = practice.rows[row].down;
    const Real hn = normalDepths(practice.chain.nodes[k].channel, u.flows[1].along.Q[k]).front();
    EXPECT_EQ(u.flows[1].nodes[k].h.toDouble(), hn.toDouble());
  }
}

TEST(CanalLine, BadRowsRefusedWithTheRowAndTheColumn) {
  const std::string head = "name,kind,station,B,m,n,i,Q,Rc,D,L,loss\nA,start,0,2,1.5,0.025,1/2000,3,,,,\n";
  const struct {
    const char* name;
    std::string csv;
    const char* message;
  } rows[] = {
      {"an unknown kind", head + "B,weir,100,,,,,,,,,\n",
       "--file 第 3 行：kind \"weir\" 不是节点类型：可用 start|ip|node|gate|offtake|siphon-in|siphon-out|aqueduct-in|"
       "aqueduct-out|tunnel-in|tunnel-out|culvert-in|culvert-out|drop|chute-in|chute-out"},
      {"a radius off an IP", head + "B,node,100,,,,,,50,,,\n", "--file 第 3 行：节点不用 Rc"},
      {"stations running back", head + "B,node,100,,,,,,,,,\nC,node,50,,,,,,,,,\n",
       "--file 第 4 行：station 50 小于上一节点的 100：节点须自渠首向渠尾按桩号排列"},
      {"a slope of 1/0", head + "B,node,100,,,,1/0,,,,,\n", "--file 第 3 行：渠底坡度 i \"1/0\" 应写作数字或 1/N（如 1/3000）"},
      {"a station misspelt", head + "B,node,K1+2345,,,,,,,,,\n", "--file 第 3 行：station \"K1+2345\" 应写作米数或 K2+834.662"},
      {"a siphon that never ends", head + "S,siphon-in,100,,,0.014,,,,1.5,,\nB,node,200,,,,,,,,,\n",
       "--file 第 4 行：此节点位于第 3 行的倒虹吸进口之内：倒虹吸、渡槽、隧洞、涵洞之内只能有 IP，陡坡之内不能有节点"},
      {"an outlet alone", head + "S,siphon-out,100,,,,,,,,,\n", "--file 第 3 行：此倒虹吸出口之前没有与之对应的进口"},
      {"a structure of nothing", head + "S,aqueduct-in,100,,,,,,,,,\nT,aqueduct-out,200,,,,,,,,,\n",
       "--file 第 3 行：未给出渡槽的参数时，须以 loss 给出为它预留的水头损失"},
      {"no flow at the head", "name,station,B,m,n,i\nA,0,2,1.5,0.025,0.001\nB,100,,,,\n", "--file 第 2 行：缺少 Q"},
      {"a chute on a mild bed", "name,kind,station,B,m,n,i,Q\nA,start,0,2,1.5,0.025,1/2000,3\nC,chute-in,100,2,0,0.014,0.001,\n"
                                "D,chute-out,140,,,,,\n",
       "--file 第 3 行：陡坡的正常水深 1.0404522425817 m 不小于临界水深 0.612191479592173 m：不是陡坡，坡上没有降水曲线"},
      {"an unknown column", "name,station,width\n", "--file 中有未知的列 \"width\"（可用的列：name, kind, station, x, y, Rc, section, B, m, D, r, H, Ra, type, n, i, Q, Qj, Qmin, loss, form, inlet-form, xi1, theta1, outlet-form, xi2, theta2, L, barrels, bend, entrance, inlet-zeta, gate-slots, slot-zeta, rack, outlet-ratio, outlet-zeta, bypass, v-np, inlet-crown, outlet-crown, trough, barrel, weir-m, hold, P, b, inlet, freeboard, height, v-min, v-max）"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(problemOf(row.csv), row.message);
  }
  // Every row at fault at once, each with its place.
  try {
    lineOf(head + "B,node,x,,,,,,,,,\nC,weir,200,,,,,,,,,\n");
    ADD_FAILURE() << "read";
  } catch (const CalcError& error) {
    ASSERT_EQ(error.problems().size(), 2u);
    EXPECT_EQ(error.problems()[0].args[0].text, "3");
    EXPECT_EQ(error.problems()[1].args[0].text, "4");
  }
}

}  // namespace
}  // namespace channelflow::calc
