extern "C" __declspec(dllimport) int CounterexampleAnswer();

int main()
{
    return CounterexampleAnswer() == 42 ? 0 : 1;
}
