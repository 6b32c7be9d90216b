// Shows one break-window background full screen, as the break window paints it:
//   patterndemo.exe <index> [timings.txt]
// With a file name it also times repaints of the real window and writes the figure there.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "BreakPatterns.h"
#include "Forms.h"

namespace {

class TfrmPatternDemo : public TForm {
 public:
  TfrmPatternDemo(TComponent* AOwner, int pattern) : TForm(AOwner), pattern_(pattern) {
    InitFormFromText(
        "object frmPatternDemo: TfrmPatternDemo\n"
        "  Caption = '休息背景'\n"
        "  BorderStyle = bsNone\n"
        "  Color = clBlack\n"
        "  OnPaint = FormPaint\n"
        "end\n",
        "TfrmPatternDemo", Binder<TfrmPatternDemo>(this).On(QV_HANDLER(FormPaint)));
    SetColor(BreakWindowColor(pattern_, rnd_));
    SetBounds(0, 0, Screen->Width(), Screen->Height());
  }

  void FormPaint(TObject*) { DrawBreakPattern(Canvas, ClientWidth(), ClientHeight(), pattern_, rnd_, Color()); }

 private:
  int pattern_;
  TRandom rnd_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const int pattern = argc > 1 ? _wtoi(argv[1]) : 2;
  const std::wstring timings = argc > 2 ? argv[2] : L"";
  LocalFree(argv);

  InitApplication();
  Application->Title = L"休息背景";
  auto* form = new TfrmPatternDemo(Application, pattern);
  Application->MainForm = form;
  form->Show();
  Application->ProcessMessages();

  if (!timings.empty()) {
    constexpr int kRepaints = 30;
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < kRepaints; ++i)
      RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
    QueryPerformanceCounter(&t1);
    const double ms = double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(f.QuadPart) / kRepaints;
    if (FILE* out = _wfopen(timings.c_str(), L"a")) {
      fprintf(out, "window %dx%d pattern %2d: %.2f ms per repaint\n", form->ClientWidth(), form->ClientHeight(),
              pattern, ms);
      fclose(out);
    }
    return 0;
  }
  Application->Run();
  return Application->ExitCode();
}
