// The hero's two sets and every monster kind's set, drawn from the kinds
// table by the creature models, with contact sheets for people.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "actors/kinds.h"
#include "forge/creatures/creature_preview.h"
#include "forge/creatures/creature_sets.h"
#include "forge/forge.h"
#include "forge/forge_files.h"
#include "forge/sprite_output.h"
#include "gfx/sprites.h"

namespace torvel::forge {

namespace {

struct Job {
  int kind = 0;
  bool armoured = false;
  std::string file;  // "graphics\\x.vsp"
  bool ok = false;
};

// The base name of a set file, for preview names ("graphics\\bat.vsp" -> "bat").
std::string BaseName(const std::string& file) {
  size_t slash = file.find_last_of("\\/");
  std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
  size_t dot = name.find('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

bool RunJob(const ForgeOptions& options, const Job& job) {
  std::vector<SpriteImage> images = creatures::RenderKindSet(job.kind, job.armoured);
  std::vector<Sprite> sprites;
  sprites.reserve(images.size());
  for (const SpriteImage& image : images) sprites.push_back(EncodeSpriteImage(image));
  if (!WriteGameFile(options, job.file, EncodeSpriteSet(sprites))) return false;
  if (options.previewDir.empty()) return true;
  std::string dir = options.previewDir + "/creatures";
  return creatures::WriteCreaturePreviews(dir, job.kind, BaseName(job.file), images);
}

}  // namespace

bool ForgeCreatures(const ForgeOptions& options) {
  std::vector<Job> jobs;
  jobs.push_back({1, false, "graphics\\sylabulus.vsp"});
  jobs.push_back({1, true, "graphics\\sylab2.vsp"});
  for (int kind = 2; kind < kKindCount; ++kind) {
    if (kind == 37) continue;  // the yeti's set is kind 36's
    jobs.push_back({kind, false, KindSpriteFile(kind)});
  }
  if (!options.previewDir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(options.previewDir + "/creatures", ec);
  }
  // Two workers take the jobs in turn; each job writes only its own files,
  // so the bytes do not depend on who draws what.
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i = next++; i < jobs.size(); i = next++) jobs[i].ok = RunJob(options, jobs[i]);
  };
  std::thread helper(work);
  work();
  helper.join();
  bool ok = true;
  for (const Job& job : jobs) {
    if (!job.ok) {
      std::fprintf(stderr, "forge: cannot write %s\n", job.file.c_str());
      ok = false;
    }
  }
  return ok;
}

}  // namespace torvel::forge
