// porukami-cli report on the demo content: the page parses as XML, every figure it marks is the
// one `sim` prints for the same seed, the same inputs give the same bytes, every scene is reached.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>
#include <map>

#include "cli/cli_support.h"

namespace porukami::testing {
namespace {

const std::vector<std::string> kRun = {"--dir", PORUKAMI_DEMO_DIR, "--months", "40", "--seed", "5"};

struct Page {
  std::map<std::string, double> figures;  // by the tag of the simulator's count they show
  std::vector<std::string> unreached;
  int svgs = 0;
  bool wellFormed = false;
};

Page Parse(const std::string& html) {
  Page p;
  QXmlStreamReader xml(QByteArray::fromStdString(html));
  bool inUnreached = false;
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::EndElement && xml.name() == u"ul") inUnreached = false;
    if (!xml.isStartElement()) continue;
    const std::string tag = xml.attributes().value("data-sim").toString().toStdString();
    p.svgs += xml.name() == u"svg";
    inUnreached |= xml.attributes().value("id") == u"unreached";
    if (inUnreached && xml.name() == u"li")
      p.unreached.push_back(xml.readElementText().toStdString());
    if (!tag.empty()) p.figures[tag] = xml.readElementText().toDouble();
  }
  p.wellFormed = !xml.hasError();
  return p;
}

TEST(Report, ShowsTheSimulatorsFiguresOnAWellFormedPage) {
  std::vector<std::string> args = {"report"};
  args.insert(args.end(), kRun.begin(), kRun.end());
  const CliRun first = RunCli(args), again = RunCli(args);
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out, again.out);
  const Page page = Parse(first.out);
  ASSERT_TRUE(page.wellFormed);
  EXPECT_GE(page.svgs, 6);  // how months end, money for each strategy, day 28, the scene flow
  EXPECT_TRUE(page.unreached.empty()) << page.unreached.front();

  std::map<std::string, double> sim;
  for (const char* strategy : {"greedy", "explore", "random"}) {
    std::vector<std::string> args = {"sim", "--strategy", strategy};
    args.insert(args.end(), kRun.begin(), kRun.end());
    const CliRun run = RunCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    for (const char* section : {"endings", "scenes", "forest", "money"}) {
      const QJsonObject counts = json[section].toObject();
      for (auto it = counts.begin(); it != counts.end(); ++it)
        sim[std::string(strategy) + " " + section + " " + it.key().toStdString()] = it->toDouble();
    }
  }
  for (const auto& [tag, n] : sim) EXPECT_TRUE(page.figures.count(tag)) << tag << " is missing";
  for (const auto& [tag, shown] : page.figures)  // a scene `sim` never saw started shows 0
    EXPECT_EQ(shown, sim.count(tag) ? sim[tag] : 0.0) << tag;
}

}  // namespace
}  // namespace porukami::testing
