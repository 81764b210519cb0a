// How long reading one reservation file takes, from disk to ProgramInfo: a
// typical guide-site file, and a worst case of 65534-character lines and a
// long description.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "iepg/iepg_reader.h"
#include "support/temp_folder.h"

namespace {

void ReadReservation(benchmark::State& state, std::u16string_view text) {
  setenv("TZ", "Asia/Tokyo", 1);
  TempFolder folder;
  folder.WriteText("reservation.tvpi", text);
  const std::u16string path = folder.WindowsPath("reservation.tvpi");
  IepgReadContext context;
  context.today = {2026, 12, 2, 8, 0, 0, 0};
  ProgramInfo info;
  ReservationForm form;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadIepgFile(path, info, form, context));
  }
}

void BM_ReadTypicalReservation(benchmark::State& state) {
  ReadReservation(state,
                  u"Content-type: application/x-tv-program-info; charset=shift_jis\nversion: 1\nstation: ＴＢＳテレビ\n"
                  u"year: 2008\nmonth: 12\ndate: 31\nstart: 24:00\nend: 25:30\nprogram-title: 年越しドラマ(再)\n"
                  u"program-subtitle: 第１話「旅立ち」\nperformer: 山田太郎、鈴木花子\ngenre: 3\nsubgenre: 0\n\n"
                  u"年の瀬に贈る特別ドラマ。\n主人公は旅に出る。\n");
}
BENCHMARK(BM_ReadTypicalReservation);

void BM_ReadWorstCaseReservation(benchmark::State& state) {
  std::u16string text =
      u"Content-type: application/x-tv-program-info\nversion: 1\nstation: S\nstart: 21:00\nend: 22:00\n";
  for (const char16_t* key : {u"program-title: ", u"performer: ", u"program-subtitle: "}) {
    text += key + std::u16string(65534, u'長') + u"\n";
  }
  text += u"start: 21:00\nend: 22:00\n\n";
  for (int i = 0; i < 40; ++i) text += std::u16string(4000, u'説') + u"\n";
  ReadReservation(state, text);
}
BENCHMARK(BM_ReadWorstCaseReservation);

}  // namespace
