// A program that only carries icons: the import tests read its resources.
int main()
{
    return 0;
}
