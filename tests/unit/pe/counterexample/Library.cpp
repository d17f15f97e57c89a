// The counterexample's own DLL: something no Windows system directory holds.
extern "C" __declspec(dllexport) int CounterexampleAnswer()
{
    return 42;
}
