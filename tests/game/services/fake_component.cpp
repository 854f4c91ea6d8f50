// A tiny loadable library: the tests copy it into a program directory under
// the names of the components the game checks for.
extern "C" int zorbelFakeComponent()
{
    return 1;
}
