import ast, builtins, runpy, sys

_compile = builtins.compile

def _repair(tree):
    for node in ast.walk(tree):
        if "lineno" not in node._attributes or not hasattr(node, "lineno"):
            continue
        end = getattr(node, "end_lineno", None)
        col = getattr(node, "col_offset", 0) or 0
        if end is None or end < node.lineno:
            node.end_lineno = node.lineno
            node.end_col_offset = col
        elif end == node.lineno and (getattr(node, "end_col_offset", None) or 0) < col:
            node.end_col_offset = col

def compile(source, *args, **kwargs):
    if isinstance(source, ast.AST):
        _repair(source)
    return _compile(source, *args, **kwargs)

builtins.compile = compile
script = sys.argv[1]
sys.argv = sys.argv[1:]
runpy.run_path(script, run_name="__main__")
