/* The test DLLs carry resources only; this is just something for the linker to link. */
int VersionRecordPlaceholder(void)
{
    return 0;
}
